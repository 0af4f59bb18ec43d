#pragma once

#include "modOVMXConfig.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>

// The image as JSON: one key per field, named as the field, holding nested arrays in the order
// of the accessor's index arguments; "format"; "unusedWords", word index to value for every
// nonzero word that no field uses; and "units", for each field what its numbers mean, which an
// import accepts and ignores. Importing an export gives back the same image for every image
// whose fields lie within their codings.
namespace ConfigJson
{

inline constexpr const char *FormatName = "orvandel-mx/1";

// Works on any image, whatever its words hold.
QJsonObject toJson(const modOVMXConfig &doc);

// toJson as text: indented, each row of a nested array on one line.
QByteArray exportText(const modOVMXConfig &doc);

// Words whose bits no field carries (the high byte of a relay record's first word, say): an
// import of this document's export would not give them back.
QList<int> unrepresentedWords(const modOVMXConfig &doc);

// Why an import of this document's export would refuse it, as the import puts it
// ("RelayOpenAction[0][1]: expected a whole number from 0 to 9, found 300"), for the first word
// outside 0–255; empty when every word lies within 0–255.
QString wideWordRefusal(const modOVMXConfig &doc);

struct ImportResult {
    bool ok = false;
    QString error; // names the field and index: "RelayCloseAction[3][1]: 12 is outside 0 to 11"
    modOVMXConfig::Image image{};
};
// Refuses malformed JSON (naming its line and column), unknown or missing keys, wrong shapes and
// values outside their coding.
ImportResult fromJson(const QByteArray &json);

} // namespace ConfigJson
