#pragma once

#include <QString>

#include <optional>

// The installer's verdict on one attempt at an input: what the walk test keeps and the
// handover document prints.
enum class Verdict { None, Pass, Fail };

QString verdictText(Verdict verdict);                    // "None", "Pass", "Fail", as kept
std::optional<Verdict> verdictFrom(const QString &text); // none for any other word
