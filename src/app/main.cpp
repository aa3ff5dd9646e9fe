// Program entry of Vorn.scr. With the registration switch it makes itself
// the default screen saver, says how that went and ends with exit code 0,
// before any window exists. Otherwise the main form chooses the mode while
// it is created and the message loop runs until it closes.
#include <windows.h>

#include "app/main_form.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_profile.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_system_params.h"
#include "saverhost/default_saver.h"
#include "saverhost/registration_switch.h"
#include "saverhost/win32/process_command_line.h"

namespace {

// The executable by its wide path, straight from the system to the file.
class ExecutableFile final : public vorn::saverhost::SaverFile {
 public:
  bool exists() override { return vorn::Win32FileSystem::existsWide(path_); }
  std::optional<vorn::DirEntry> findFirst() override { return vorn::Win32FileSystem::findFirstWide(path_); }

 private:
  const std::wstring& path_ = vorn::saverhost::ProcessExecutablePath();
};

bool RunRegistration() {
  vorn::win32::Win32Registry registry;
  vorn::win32::Win32ProfileFiles profiles;
  vorn::win32::Win32SystemParameters system;
  vorn::saverhost::SaverRegistrationServices services{registry, profiles, system};
  vorn::win32::Win32MessageBoxes boxes;
  return vorn::saverhost::RunRegistrationSwitch(
      vorn::saverhost::ProcessCommandLine(),
      [&] {
        ExecutableFile exe;
        return vorn::saverhost::MakeDefaultSaver(services, exe);
      },
      boxes);
}

}  // namespace

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int) {
  if (RunRegistration()) return 0;
  return RunMainForm(inst);
}
