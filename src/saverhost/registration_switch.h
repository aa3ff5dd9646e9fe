#pragma once
// The one-shot registration switch of the program entry: make this
// executable the default screen saver and tell the user how it went. The
// caller ends the process with exit code 0 afterwards, whatever the outcome.
#include <functional>
#include <string>

#include "platform/message_box.h"
#include "saverhost/command_line.h"

namespace vorn::saverhost {

// The two boxes, as Windows-1250 bytes. The failure text ends with the base
// name: it is the entry the user is to pick in the display settings' list.
std::string RegistrationSuccessCaption(const std::string& baseName);
std::string RegistrationSuccessText(const std::string& baseName);
std::string RegistrationFailureCaption(const std::string& baseName);
std::string RegistrationFailureText(const std::string& baseName);

// When argument 1 carries the switch: calls makeDefaultSaver (which knows
// the executable's file), shows the matching box, named after argument 0,
// and returns true. Otherwise does nothing, false.
bool RunRegistrationSwitch(const CommandLine& args, const std::function<bool()>& makeDefaultSaver,
                           MessageBoxes& boxes);

}  // namespace vorn::saverhost
