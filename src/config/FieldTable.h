#pragma once

#include "modOVMXConfig.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <span>

// Every named field of the image as data: its name, the shape of its index arguments, the
// values its editors can produce, and how to name an element and its values in words. The
// command line's export, import and diff and the controller verification walk this table, so
// a field is described once.
namespace FieldTable
{

struct Field {
    const char *name; // the accessor's field name, e.g. "RelayCloseAction"
    int rows;         // count of the first index argument; 0 for a field without arguments
    int cols;         // count of the second index argument; 0 for fewer than two arguments
    bool boolean;     // a flag: 0 or 1, exported as false/true
    int min, max;     // the coding: what the windows can store
    int (*get)(const modOVMXConfig &doc, int a, int b);
    void (*set)(modOVMXConfig &doc, int a, int b, int v);
    QString (*subject)(int a, int b);       // "Relay 2 / Tamberline 01 Input 3"
    const char *aspect;                     // "close action"; empty when the subject says it all
    std::optional<QString> (*words)(int v); // nullopt outside the coding
    // What the stored numbers mean, led by the index order: "[dimmer]: percent 0–100". "{list}"
    // stands for every value of the coding with its words, so a list cannot drift from them.
    const char *units;

    int elementCount() const { return (rows ? rows : 1) * (cols ? cols : 1); }
    // Element n in index order: a = n / cols, b = n % cols.
    int firstIndex(int n) const { return cols ? n / cols : n; }
    int secondIndex(int n) const { return cols ? n % cols : 0; }
    bool inCoding(int v) const { return v >= min && v <= max; }
    // "RelayCloseAction[3][1]", "ComPort"
    QString elementName(int n) const;
    // "Relay 2 / Tamberline 01 Input 3: close action ", to be followed by words
    QString label(int n) const;
    // "Relay 2 / Tamberline 01 Input 3: close action Turn On Relay"
    QString describe(int n, int value) const;
    // The units with "{list}" filled in: "[relay]: 0 = No Change; 1 = Turn Off; ..."
    QString unitsText() const;
    // The words of a value, or the bare number with a note when it has none.
    QString valueWords(int v) const;
};

std::span<const Field> fields();
const Field *findField(const QString &name);

// The image words that element n of a field occupies (-1 for none beyond the first), found by
// writing the element through its accessor, so the answer cannot drift from the word map.
std::array<int, 2> wordsOf(const Field &field, int n);

// Each element whose stored value lies outside its field's coding, as "subject: aspect value"
// ("Relay 2 / Tamberline 01 Input 3: close action 50"), in table order.
QStringList outOfCoding(const modOVMXConfig &doc);

// Words no field uses: zero in a new configuration, kept as they are by every accessor.
bool isUnusedWord(int w);

// A word outside 0–255. The line to the controller carries one byte a word, so an image holding
// one (a damaged file, or a short one padded out) cannot be sent as it is.
struct WideWord {
    int word;
    int value;          // as the image holds it
    const Field *field; // the first field with an element in the word; null for an unused word
    int element;
    // "Relay 2 / Tamberline 01 Input 3: open action (word 33 holds 300)", or for a word no field
    // uses "unused word 870 (holds 300)"
    QString describe() const;
};
QList<WideWord> wideWords(const modOVMXConfig &doc);

// The first `named` items joined by "; ", then "and N more" for the rest.
QString firstOf(const QStringList &items, qsizetype named);
// "3 words outside 0–255, which the controller cannot take: <the first `named` described>"
QString wideWordsText(const QList<WideWord> &found, qsizetype named);

} // namespace FieldTable
