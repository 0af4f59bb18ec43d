#include "ExpectedResponse.h"

#include "ConfigTexts.h"

namespace
{
QString relayAction(int code, int timedOnPosition)
{
    const QString minutes = QStringLiteral("on for %1 min").arg(timedOnPosition + 5);
    switch (code) {
    case 1:
        return QStringLiteral("off");
    case 2:
        return QStringLiteral("on");
    case 3:
    case 4:
    case 5:
    case 6:
        return QStringLiteral("toggled by Relay %1's state").arg(code - 2);
    case 7:
        return minutes;
    case 8:
        return minutes + QStringLiteral(" with a single blink alert");
    case 9:
        return minutes + QStringLiteral(" with a double blink alert");
    case 10:
        return QStringLiteral("in a 2 step sequence");
    case 11:
        return QStringLiteral("in a 4 step sequence");
    }
    return QStringLiteral("an unknown action (%1)").arg(code);
}

QString relayWords(const modOVMXConfig &doc, int input, int relay)
{
    const int close = doc.GetRelayCloseAction(input, relay);
    const int open = doc.GetRelayOpenAction(input, relay);
    const int timed = doc.GetRelayTimedOn(input, relay);
    QStringList parts;
    if (close != 0)
        parts << relayAction(close, timed) + QStringLiteral(" when closed");
    if (open != 0)
        parts << relayAction(open, timed) + QStringLiteral(" when opened");
    if (parts.isEmpty())
        return {};
    if (doc.GetRelayHoldStatus(input, relay))
        parts << QStringLiteral("held while closed");
    return QStringLiteral("Relay %1 ").arg(relay + 1) + parts.join(QStringLiteral(", "));
}

QString dimmerWords(const modOVMXConfig &doc, int input, int dimmer)
{
    const int control = doc.GetDimmerControl(input, dimmer);
    if (control == 0)
        return {};
    QString words = QStringLiteral("Dimmer %1 ").arg(dimmer + 1);
    if (control == 1)
        words += QStringLiteral("back to the photocell");
    else if (control == 2)
        words += QStringLiteral("lower 10 %");
    else if (control == 3)
        words += QStringLiteral("raise 10 %");
    else if (control <= 104)
        words += QStringLiteral("to %1 %").arg(control - 4);
    else
        words += QStringLiteral("an unknown control (%1)").arg(control);
    if (doc.GetDimmerControlFadeRate(input, dimmer) == 1)
        words += QStringLiteral(", instantly");
    const int revert = doc.GetDimmerRevert(input, dimmer);
    if (revert == 0)
        words += QStringLiteral(", reverting when opened");
    else if (revert >= 2)
        words += QStringLiteral(", reverting after %1 min").arg(5 * (revert - 1));
    return words;
}

QString disableWords(const modOVMXConfig &doc, int input, int disabled)
{
    const bool closed = doc.GetInputDisableClosed(input, disabled);
    const bool open = doc.GetInputDisableOpen(input, disabled);
    if (!closed && !open)
        return {};
    return ConfigTexts::inputShortName(disabled) +
           (closed && open ? QStringLiteral(" disabled when closed or opened")
            : closed       ? QStringLiteral(" disabled when closed")
                           : QStringLiteral(" disabled when opened"));
}
} // namespace

ExpectedResponse ExpectedResponse::of(const modOVMXConfig &doc, int input)
{
    ExpectedResponse expected;
    for (int r = 0; r < 4; ++r)
        if (const QString words = relayWords(doc, input, r); !words.isEmpty()) {
            expected.words << words;
            expected.outputs << 24 + r;
        }
    // Photocell level inputs have no dimmer control: their columns track the light instead.
    for (int d = 0; d < 4 && input < 16; ++d)
        if (const QString words = dimmerWords(doc, input, d); !words.isEmpty()) {
            expected.words << words;
            expected.outputs << 28 + d;
        }
    for (int j = 0; j < 24; ++j)
        if (const QString words = disableWords(doc, input, j); !words.isEmpty())
            expected.words << words;
    return expected;
}
