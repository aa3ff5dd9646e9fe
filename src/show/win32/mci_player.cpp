#include "show/win32/mci_player.h"

#include <digitalv.h>
#include <mmsystem.h>

#include "text/cp1250.h"

namespace vorn::show::win32 {

namespace {

std::wstring wide(const std::string& s) {
  std::u16string u = text::cp1250ToUtf16(s);
  return std::wstring(u.begin(), u.end());
}

}  // namespace

MciMediaPlayer::~MciMediaPlayer() { (void)close(); }

Status MciMediaPlayer::fail(MCIERROR e) const {
  wchar_t buf[256] = L"";
  mciGetErrorStringW(e, buf, 256);
  std::u16string u(buf, buf + lstrlenW(buf));
  return makeError(text::utf16ToCp1250(u));
}

Status MciMediaPlayer::open() {
  (void)close();  // a device still open is closed first
  std::wstring element = wide(fileName_);
  MCI_OPEN_PARMSW op{};
  op.dwCallback = DWORD_PTR(notify_);
  op.lpstrElementName = element.c_str();
  if (MCIERROR e = mciSendCommandW(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, DWORD_PTR(&op))) return fail(e);
  device_ = op.wDeviceID;
  MCI_GETDEVCAPS_PARMS caps{};
  caps.dwItem = MCI_GETDEVCAPS_HAS_VIDEO;
  hasVideo_ = mciSendCommandW(device_, MCI_GETDEVCAPS, MCI_GETDEVCAPS_ITEM | MCI_WAIT, DWORD_PTR(&caps)) == 0 &&
              caps.dwReturn != 0;
  if (hasVideo_ && display_) {
    MCI_DGV_WINDOW_PARMSW wp{};
    wp.dwCallback = DWORD_PTR(notify_);
    wp.hWnd = display_;
    (void)mciSendCommandW(device_, MCI_WINDOW, MCI_DGV_WINDOW_HWND | MCI_WAIT, DWORD_PTR(&wp));
  }
  return {};
}

Status MciMediaPlayer::close() {
  if (!device_) return {};
  MCI_GENERIC_PARMS gp{};
  gp.dwCallback = DWORD_PTR(notify_);
  MCIERROR e = mciSendCommandW(device_, MCI_CLOSE, MCI_WAIT, DWORD_PTR(&gp));
  device_ = 0;
  hasVideo_ = false;
  return e ? fail(e) : Status{};
}

Status MciMediaPlayer::play() {
  if (!device_) return makeError("MCI: no device open");
  MCI_PLAY_PARMS pp{};
  pp.dwCallback = DWORD_PTR(notify_);
  MCIERROR e = mciSendCommandW(device_, MCI_PLAY, notify_ ? MCI_NOTIFY : 0, DWORD_PTR(&pp));
  return e ? fail(e) : Status{};
}

Status MciMediaPlayer::stop() {
  if (!device_) return makeError("MCI: no device open");
  MCI_GENERIC_PARMS gp{};
  gp.dwCallback = DWORD_PTR(notify_);
  MCIERROR e = mciSendCommandW(device_, MCI_STOP, MCI_WAIT, DWORD_PTR(&gp));
  return e ? fail(e) : Status{};
}

DisplayRect MciMediaPlayer::displayRect() {
  if (!device_ || !hasVideo_) return {};
  MCI_DGV_RECT_PARMS rp{};
  rp.dwCallback = DWORD_PTR(notify_);
  if (mciSendCommandW(device_, MCI_WHERE, MCI_DGV_WHERE_DESTINATION | MCI_WAIT, DWORD_PTR(&rp))) return {};
  // MCI keeps the extent in right and bottom.
  return {rp.rc.left, rp.rc.top, rp.rc.right, rp.rc.bottom};
}

void MciMediaPlayer::setDisplayRect(const DisplayRect& r) {
  if (!device_ || !hasVideo_) return;
  MCI_DGV_RECT_PARMS rp{};
  rp.dwCallback = DWORD_PTR(notify_);
  rp.rc = RECT{r.left, r.top, r.width, r.height};
  (void)mciSendCommandW(device_, MCI_PUT, MCI_DGV_PUT_DESTINATION | MCI_DGV_RECT | MCI_WAIT, DWORD_PTR(&rp));
}

}  // namespace vorn::show::win32
