#include "show/win32/wave_sound.h"

#include <windows.h>
#include <mmsystem.h>

#include "text/cp1250.h"

namespace vorn::show::win32 {

namespace {

void play(const std::string& path, DWORD flags) {
  std::u16string u = text::cp1250ToUtf16(path);
  std::wstring w(u.begin(), u.end());
  (void)PlaySoundW(w.c_str(), nullptr, flags);
}

}  // namespace

void Win32WaveSound::playOnce(const std::string& path) { play(path, SND_FILENAME | SND_ASYNC); }
void Win32WaveSound::playLooped(const std::string& path) {
  play(path, SND_FILENAME | SND_LOOP | SND_ASYNC);
}
// The documented way to silence whatever this process plays.
void Win32WaveSound::stop() { (void)PlaySoundW(nullptr, nullptr, 0); }

}  // namespace vorn::show::win32
