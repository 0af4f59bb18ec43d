#include "ConfigDiff.h"

#include "ConfigTexts.h"
#include "FieldTable.h"

#include <bitset>

namespace ConfigDiff
{

namespace
{
QString wordLine(int w)
{
    return (FieldTable::isUnusedWord(w) ? QStringLiteral("Unused word %1: ")
                                        : QStringLiteral("Word %1: "))
        .arg(w);
}
} // namespace

QStringList describeDifferences(const modOVMXConfig &a, const modOVMXConfig &b)
{
    QStringList lines;
    std::bitset<modOVMXConfig::WordCount> explained;
    for (const FieldTable::Field &f : FieldTable::fields()) {
        for (int n = 0; n < f.elementCount(); ++n) {
            const int va = f.get(a, f.firstIndex(n), f.secondIndex(n));
            const int vb = f.get(b, f.firstIndex(n), f.secondIndex(n));
            if (va == vb)
                continue;
            lines << f.label(n) + f.valueWords(va) + QStringLiteral(" → ") + f.valueWords(vb);
            for (int w : FieldTable::wordsOf(f, n))
                if (w >= 0)
                    explained.set(static_cast<size_t>(w));
        }
    }
    // Bits no field reads (the high byte of a bit-addressed word, say) still make files differ.
    for (int w = 0; w < modOVMXConfig::WordCount; ++w) {
        if (a.GetWord(w) != b.GetWord(w) && !explained.test(static_cast<size_t>(w)))
            lines << wordLine(w) + QStringLiteral("%1 → %2").arg(a.GetWord(w)).arg(b.GetWord(w));
    }
    return lines;
}

QStringList describeChangesFromNew(const modOVMXConfig &doc)
{
    modOVMXConfig fresh;
    fresh.NewConfiguration();
    QStringList lines;
    for (const FieldTable::Field &f : FieldTable::fields()) {
        for (int n = 0; n < f.elementCount(); ++n) {
            const int v = f.get(doc, f.firstIndex(n), f.secondIndex(n));
            if (v != f.get(fresh, f.firstIndex(n), f.secondIndex(n)))
                lines << f.describe(n, v);
        }
    }
    for (int w = 0; w < modOVMXConfig::WordCount; ++w)
        if (FieldTable::isUnusedWord(w) && doc.GetWord(w) != 0)
            lines << wordLine(w) + QString::number(doc.GetWord(w));
    return lines;
}

QStringList describeCell(const modOVMXConfig &doc, int k)
{
    using namespace ConfigTexts;
    const int i = inputOfCell(k);
    const QString subject = targetName(rowOfCell(k)) + QStringLiteral(" / ") +
                            (isTrackingCell(k) ? photocellName(i) : inputName(i));
    QStringList parts;
    for (const FieldTable::Field &f : FieldTable::fields())
        for (int n = 0; n < f.elementCount(); ++n)
            if (f.subject(f.firstIndex(n), f.secondIndex(n)) == subject)
                parts << f.describe(n, f.get(doc, f.firstIndex(n), f.secondIndex(n)))
                             .mid(subject.size() + 2);
    return parts;
}

} // namespace ConfigDiff
