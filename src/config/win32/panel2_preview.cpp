// The item preview beside the list: labels, the picture in ImagePreV and the
// movie preview through MediaPrev; and the owner-drawn controls.
#include <windows.h>
#include <commctrl.h>

#include <exception>

#include "codecs/graphic.h"
#include "collection/collection_state.h"
#include "collection/item_kind.h"
#include "config/item_preview.h"
#include "config/win32/control_factory.h"
#include "config/win32/panel2_ids.h"
#include "config/win32/panel2_window.h"
#include "raster/fit_rect.h"
#include "show/show_ports.h"

namespace vorn::config::win32 {

void Panel2::clearPreview() {
  ShowWindow(ctl(ImagePreV), SW_HIDE);
  for (int id : {int(PrevPLAYBtn), int(PrevSTOPBtn)}) {
    EnableWindow(ctl(id), FALSE);
    ShowWindow(ctl(id), SW_HIDE);
  }
  if (svc_.mediaPrev) (void)svc_.mediaPrev->close();
}

void Panel2::ListView1Change() {
  if (svc_.saverActive && *svc_.saverActive) return;
  clearPreview();
  // Every preview failure ends the handler silently, running out of memory
  // for a large picture included; what was already set stays.
  try {
    showSelectedItem();
  } catch (const std::exception&) {
  }
}

void Panel2::showSelectedItem() {
  const int row = int(SendMessageW(ctl(ListView1), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
  if (row < 0 || !svc_.state || !svc_.state->FileMan || !svc_.state->CurrentItem) {
    for (int id : {int(PicSizeL), int(ChgIntLab), int(TipusLab), int(HangLab)}) setText(ctl(id), "");
    preview_.clear();
    previewFrame_ = Bitmap24();
    InvalidateRect(ctl(ImagePreV), nullptr, TRUE);
    return;
  }
  TCNFItem& item = *svc_.state->CurrentItem;
  svc_.state->FileMan->GetItem(row, item);
  setText(ctl(HangLab), hangLabText(item.SoundPath()));
  setText(ctl(ChgIntLab), chgIntLabText(item.ChgInt()));
  setText(ctl(TipusLab), tipusLabText(item.MediaPath()));
  const std::string file = svc_.state->locateMediaFile(item.MediaPath());
  if (isMovie(item.MediaPath())) {
    if (!svc_.mediaPrev) return;
    show::MediaPlayer& mp = *svc_.mediaPrev;
    mp.setFileName(file);
    if (!mp.open()) return;
    const show::DisplayRect native = mp.displayRect();
    setText(ctl(PicSizeL), picSizeText(native.width, native.height, true));
    RECT r;
    GetWindowRect(ctl(ImagePreV), &r);
    MapWindowPoints(nullptr, ctl(TabControl1), reinterpret_cast<POINT*>(&r), 2);
    mp.setDisplayRect(show::DisplayRect{r.left, r.top, r.right - r.left, r.bottom - r.top});
    ShowWindow(ctl(PrevPLAYBtn), SW_SHOW);
    ShowWindow(ctl(PrevSTOPBtn), SW_SHOW);
    EnableWindow(ctl(PrevPLAYBtn), TRUE);
    return;
  }
  // The picture is loaded as the show loads it, upright and resampled once
  // to its proportional fit in the 167 x 125 box; painting only copies it.
  RECT box;
  GetClientRect(ctl(ImagePreV), &box);
  PictureSize own;
  if (!svc_.fs || !preview_.LoadForShow(*svc_.fs, file, PictureFit{box.right, box.bottom}, &own)) return;
  setText(ctl(PicSizeL), picSizeText(own.width, own.height, false));
  previewFrame_ = Bitmap24(box.right, box.bottom);
  const COLORREF face = GetSysColor(COLOR_WINDOW);
  previewFrame_.fill(rgb(GetRValue(face), GetGValue(face), GetBValue(face)));
  const Rect dest = FitRect(Rect{0, 0, preview_.width(), preview_.height()}, Rect{0, 0, box.right, box.bottom});
  if (!dest.empty()) preview_.graphic()->draw(previewFrame_, dest);
  ShowWindow(ctl(ImagePreV), SW_SHOW);
  InvalidateRect(ctl(ImagePreV), nullptr, TRUE);
}

void Panel2::drawPreview(DRAWITEMSTRUCT* d) {
  FillRect(d->hDC, &d->rcItem, pageBrush_);
  if (previewFrame_.empty()) return;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = previewFrame_.width();
  bi.bmiHeader.biHeight = -previewFrame_.height();  // rows top first
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(d->hDC, 0, 0, previewFrame_.width(), previewFrame_.height(), 0, 0, 0,
                    previewFrame_.height(), previewFrame_.data(), &bi, DIB_RGB_COLORS);
}

void Panel2::drawColourItem(DRAWITEMSTRUCT* d) {
  if (d->itemID == UINT(-1)) return;
  const bool selected = d->itemState & ODS_SELECTED;
  FillRect(d->hDC, &d->rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  RECT sw = d->rcItem;
  InflateRect(&sw, -3, -2);
  HBRUSH b = CreateSolidBrush(COLORREF(d->itemData));
  FillRect(d->hDC, &sw, b);
  DeleteObject(b);
  FrameRect(d->hDC, &sw, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  if (d->itemState & ODS_FOCUS) DrawFocusRect(d->hDC, &d->rcItem);
}

bool Panel2::onDrawItem(DRAWITEMSTRUCT* d) {
  switch (d->CtlID) {
    case ImagePreV:
      drawPreview(d);
      return true;
    case BckColCB:
      drawColourItem(d);
      return true;
    case PrevPLAYBtn:
    case PrevSTOPBtn: {
      // Glyph buttons: a triangle to play, a square to stop.
      const bool enabled = !(d->itemState & ODS_DISABLED);
      DrawFrameControl(d->hDC, &d->rcItem, DFC_BUTTON,
                       DFCS_BUTTONPUSH | ((d->itemState & ODS_SELECTED) ? DFCS_PUSHED : 0));
      HBRUSH b = CreateSolidBrush(enabled ? (d->CtlID == PrevPLAYBtn ? RGB(0, 128, 0)
                                                                     : RGB(160, 0, 0))
                                          : GetSysColor(COLOR_GRAYTEXT));
      HGDIOBJ ob = SelectObject(d->hDC, b);
      HGDIOBJ op = SelectObject(d->hDC, GetStockObject(NULL_PEN));
      const int cx = (d->rcItem.left + d->rcItem.right) / 2;
      const int cy = (d->rcItem.top + d->rcItem.bottom) / 2;
      const int s = (d->rcItem.bottom - d->rcItem.top) / 4;
      if (d->CtlID == PrevPLAYBtn) {
        POINT tri[3] = {{cx - s, cy - s}, {cx + s, cy}, {cx - s, cy + s}};
        Polygon(d->hDC, tri, 3);
      } else {
        Rectangle(d->hDC, cx - s, cy - s, cx + s, cy + s);
      }
      SelectObject(d->hDC, op);
      SelectObject(d->hDC, ob);
      DeleteObject(b);
      if (d->itemState & ODS_FOCUS) {
        RECT f = d->rcItem;
        InflateRect(&f, -3, -3);
        DrawFocusRect(d->hDC, &f);
      }
      return true;
    }
  }
  return false;
}

bool Panel2::onMeasureItem(MEASUREITEMSTRUCT* m) {
  if (m->CtlID != BckColCB) return false;
  m->itemHeight = MulDiv(18, dpi_, 96);
  return true;
}

}  // namespace vorn::config::win32
