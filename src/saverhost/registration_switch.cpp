#include "saverhost/registration_switch.h"

#include "text/cp1250.h"

namespace vorn::saverhost {

using text::W1250;

std::string RegistrationSuccessCaption(const std::string& baseName) {
  return baseName + W1250(" - Információ");
}

std::string RegistrationSuccessText(const std::string& baseName) {
  return W1250("Most a(z) ") + baseName + W1250(" képernyővédő az alapértelmezett.");
}

std::string RegistrationFailureCaption(const std::string& baseName) {
  return baseName + W1250(" - Hiba");
}

std::string RegistrationFailureText(const std::string& baseName) {
  // Line breaks are single carriage returns, as the box has always shown them.
  return W1250(
             "A képernyővédő nem tudja magát alapértelmezetté tenni. \r\r"
             "Ezt Önnek kell megtennie a telepítés után, a következő módon:\r"
             "A Vezérlőpulton válassza a Képernyő ikont, klikkeljen rá, itt Kattintson a "
             "Képernyővédő fülre,\r"
             "majd jelölje ki a lenyíló listáról a következő elemet:\r\r") +
         baseName;
}

bool RunRegistrationSwitch(const CommandLine& args, const std::function<bool()>& makeDefaultSaver,
                           MessageBoxes& boxes) {
  if (!IsRegistrationSwitch(args.ParamStr(1))) return false;
  const std::string base = SaverBaseName(args.ParamStr(0));
  if (makeDefaultSaver())
    boxes.show(RegistrationSuccessText(base), RegistrationSuccessCaption(base));
  else
    boxes.show(RegistrationFailureText(base), RegistrationFailureCaption(base));
  return true;
}

}  // namespace vorn::saverhost
