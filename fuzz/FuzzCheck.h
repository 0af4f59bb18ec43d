#pragma once

#include "ConfigJson.h"
#include "FieldTable.h"

#include <QJsonDocument>

// Every field and unused word holds what a window could have stored: the images an import gives.
inline bool withinCodings(const modOVMXConfig &doc)
{
    for (const FieldTable::Field &f : FieldTable::fields())
        for (int n = 0; n < f.elementCount(); ++n)
            if (!f.inCoding(f.get(doc, f.firstIndex(n), f.secondIndex(n))))
                return false;
    for (int w = 0; w < modOVMXConfig::WordCount; ++w)
        if (FieldTable::isUnusedWord(w) && (doc.GetWord(w) < 0 || doc.GetWord(w) > 255))
            return false;
    return true;
}

// Export, import, export: false when the import refuses the export; otherwise the imported
// image exports to the very same bytes, so every field came back. A broken rule ends
// the run through qFatal here and in the targets, so libFuzzer keeps the input as a finding.
inline bool importsBack(const modOVMXConfig &doc)
{
    const QByteArray exported = QJsonDocument(ConfigJson::toJson(doc)).toJson();
    const ConfigJson::ImportResult back = ConfigJson::fromJson(exported);
    if (!back.ok)
        return false;
    modOVMXConfig again;
    again.setImage(back.image);
    if (QJsonDocument(ConfigJson::toJson(again)).toJson() != exported)
        qFatal("an export imported and exported again changed");
    return true;
}
