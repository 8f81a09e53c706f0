#pragma once

#include "Toolkit.h"

#include <exception>
#include <utility>

// The text of the error trap's box: what the user reports to us.
QString errorTrapText(const QString& code);

// Runs a handler's body under an error trap. An unexpected failure ends the body where it
// struck, keeps what was already done, and shows the trap's box with the handler's code
// (for example "ERROR CODE #10.0"). Returns false when the trap fired.
template <typename Body>
bool runTrapped(Toolkit& toolkit, const QString& code, Body&& body)
{
    try {
        std::forward<Body>(body)();
        return true;
    } catch (const std::exception&) {
        toolkit.messageBox(errorTrapText(code), MsgStyle::Exclamation);
        return false;
    }
}

// Runs a command whose failures end it without a message.
template <typename Body>
bool runSilently(Body&& body)
{
    try {
        std::forward<Body>(body)();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}
