// The controls of the three pages, and moving values between them and the
// panel model.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <vector>

#include "collection/collection_state.h"
#include "config/item_preview.h"
#include "config/win32/control_factory.h"
#include "config/win32/panel2_ids.h"
#include "config/win32/panel2_window.h"
#include "platform/win32/win32_version_info.h"
#include "saverhost/file_version.h"
#include "text/cp1250.h"
#include "transition/style_catalogue.h"
#include "widgets/win32/link_label_control.h"

namespace vorn::config::win32 {
namespace {

using text::W1250;

// The colours BckColCB offers (0x00BBGGRR); a stored colour that is not
// among them is added as one more swatch at the end.
constexpr uint32_t kSwatches[] = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

constexpr char kMakerWeb[] = "https://vorn.example/";
constexpr char kMakerMail[] = "mailto:info@vorn.example";

HIMAGELIST makeListIcons() {
  // Two 16x16 icons drawn here: a small landscape (picture) and a film strip.
  HIMAGELIST il = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 0);
  HDC screen = GetDC(nullptr);
  for (int kind = 0; kind < 2; ++kind) {
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 16, 16);
    HGDIOBJ old = SelectObject(dc, bmp);
    RECT all{0, 0, 16, 16};
    HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
    FillRect(dc, &all, magenta);
    DeleteObject(magenta);
    if (kind == 0) {
      RECT sky{1, 2, 15, 14};
      HBRUSH b = CreateSolidBrush(RGB(90, 160, 230));
      FillRect(dc, &sky, b);
      DeleteObject(b);
      HBRUSH g = CreateSolidBrush(RGB(40, 140, 50));
      HGDIOBJ ob = SelectObject(dc, g);
      POINT hill[3] = {{1, 14}, {7, 6}, {15, 14}};
      Polygon(dc, hill, 3);
      SelectObject(dc, ob);
      DeleteObject(g);
    } else {
      RECT strip{2, 1, 14, 15};
      HBRUSH b = CreateSolidBrush(RGB(40, 40, 40));
      FillRect(dc, &strip, b);
      DeleteObject(b);
      HBRUSH w = CreateSolidBrush(RGB(230, 230, 230));
      for (int y = 2; y < 14; y += 3) {
        RECT l{3, y, 5, y + 2}, r{11, y, 13, y + 2};
        FillRect(dc, &l, w);
        FillRect(dc, &r, w);
      }
      DeleteObject(w);
      RECT frame{6, 3, 10, 13};
      HBRUSH c = CreateSolidBrush(RGB(120, 180, 255));
      FillRect(dc, &frame, c);
      DeleteObject(c);
    }
    SelectObject(dc, old);
    ImageList_AddMasked(il, bmp, RGB(255, 0, 255));
    DeleteObject(bmp);
    DeleteDC(dc);
  }
  ReleaseDC(nullptr, screen);
  return il;
}

HWND spin(const ControlFactory& f, HWND page, int editId, int upDownId, int x, int y) {
  HWND edit = f.make(page, L"EDIT", "", ES_NUMBER | WS_TABSTOP | ES_RIGHT, x, y, 44, 22, editId,
                     WS_EX_CLIENTEDGE);
  SendMessageW(edit, EM_SETLIMITTEXT, 2, 0);  // at most two digits
  HWND ud = f.make(page, UPDOWN_CLASSW, "",
                   UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0, 0, 0,
                   upDownId);
  SendMessageW(ud, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
  return edit;
}

}  // namespace

void Panel2::createItemsPage(HWND page) {
  HINSTANCE inst = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(page, GWLP_HINSTANCE));
  ControlFactory f(inst, font_, dpi_);
  f.label(page, W1250("A képernyővédő neve:"), 8, 11, 140, 18, Label12);
  f.label(page, "", 150, 8, 372, 22, CollNameST, SS_SUNKEN | SS_CENTERIMAGE);
  HWND lv = f.make(page, WC_LISTVIEWW, "",
                   LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | WS_TABSTOP,
                   8, 38, 250, 338, ListView1, WS_EX_CLIENTEDGE);
  SendMessageW(lv, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  images_ = makeListIcons();
  SendMessageW(lv, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images_));
  std::u16string head = text::cp1250ToUtf16(W1250("Képek/Filmek neve"));
  LVCOLUMNW col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH;
  col.pszText = reinterpret_cast<LPWSTR>(head.data());
  col.cx = f.scale(230);
  SendMessageW(lv, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&col));

  f.make(page, L"BUTTON", "", BS_GROUPBOX, 268, 32, 256, 344, TabControl1);
  f.label(page, "", 312, 54, 167, 125, ImagePreV, SS_OWNERDRAW);
  const struct {
    const char* caption;
    int labelId, valueId, y;
  } rows[] = {{"Elem típusa:", Label21, TipusLab, 196},
              {"Eredeti méret:", Label3, PicSizeL, 218},
              {"Váltás időköze:", Label20, ChgIntLab, 240},
              {"Lejátszandó hang:", Label16, HangLab, 262}};
  for (const auto& r : rows) {
    f.label(page, W1250(r.caption), 280, r.y, 116, 18, r.labelId);
    f.label(page, "", 398, r.y, 120, 18, r.valueId);
  }
  HWND play = f.make(page, L"BUTTON", "", BS_OWNERDRAW | WS_TABSTOP, 338, 300, 52, 26, PrevPLAYBtn);
  HWND stop = f.make(page, L"BUTTON", "", BS_OWNERDRAW | WS_TABSTOP, 400, 300, 52, 26, PrevSTOPBtn);
  ShowWindow(play, SW_HIDE);
  ShowWindow(stop, SW_HIDE);
}

void Panel2::createSettingsPage(HWND page) {
  HINSTANCE inst = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(page, GWLP_HINSTANCE));
  ControlFactory f(inst, font_, dpi_);
  f.make(page, L"BUTTON",
         W1250("Minden elem megjelenítésénél egységesen a következő beállítások használata"),
         BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP, 8, 6, 520, 24, UseCommonOptionsCB);
  f.make(page, L"BUTTON", W1250(" Képváltás időköze "), BS_GROUPBOX, 8, 34, 520, 102, GroupBox2);
  f.make(page, L"BUTTON", W1250("Képváltás adott másodpercenként:"),
         BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 20, 54, 236, 22, RadioButton1);
  spin(f, page, ChgIntSE, ChgIntSEUpDown, 260, 54);
  f.label(page, "mp.", 310, 57, 40, 18, ChgIntSEUnit);
  f.make(page, L"BUTTON", W1250("Képváltás véletlenszerű időnként:"),
         BS_AUTORADIOBUTTON | WS_TABSTOP, 20, 82, 236, 22, RadioButton2);
  spin(f, page, ChgIntMINSE, ChgIntMINSEUpDown, 260, 82);
  f.label(page, "-", 308, 85, 12, 18, ChgIntDash);
  spin(f, page, ChgIntMAXSE, ChgIntMAXSEUpDown, 322, 82);
  f.label(page, "mp.", 372, 85, 40, 18, ChgIntMAXSEUnit);
  f.label(page, W1250("(adott intervallumon belül véletlenszerűen)"), 40, 110, 440, 18, Label10);

  f.make(page, L"BUTTON", W1250(" Megjelenítési módok "), BS_GROUPBOX, 8, 142, 520, 106, GroupBox3);
  f.label(page, W1250("Megjelenítési effektek:"), 20, 165, 154, 18, ShwEffectNumLabel);
  HWND effects = f.make(page, L"COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 176,
                        161, 340, 320, ShwEffectNum);
  for (int i = 0; i < kStyleListEntries; ++i) {
    std::u16string w = text::cp1250ToUtf16(styleListText(i));
    SendMessageW(effects, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w.c_str()));
  }
  f.label(page, W1250("Megjelenés:"), 20, 193, 154, 18, ShowModeLabel);
  HWND mode = f.make(page, L"COMBOBOX", "", CBS_DROPDOWNLIST | WS_TABSTOP, 176, 189, 340, 200,
                     ShowModeCB);
  for (int i = 0; i < kShowModeRows; ++i) {
    std::u16string w = text::cp1250ToUtf16(showModeText(i));
    SendMessageW(mode, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w.c_str()));
  }
  f.label(page, W1250("Ablak háttérszíne:"), 20, 221, 154, 18, BckColLabel);
  HWND colours = f.make(page, L"COMBOBOX", "",
                        CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | WS_VSCROLL | WS_TABSTOP, 176, 217,
                        120, 320, BckColCB);
  for (uint32_t c : kSwatches) SendMessageW(colours, CB_ADDSTRING, 0, LPARAM(c));

  f.make(page, L"BUTTON", W1250(" Egyéb beállítások "), BS_GROUPBOX, 8, 254, 520, 122, GroupBox1);
  f.make(page, L"BUTTON", W1250("Egér kattintásra, mozdítására nem szakad meg a képernyővédő"),
         BS_AUTOCHECKBOX | WS_TABSTOP, 20, 274, 500, 22, NoMouseMoveExitCB);
  f.make(page, L"BUTTON", W1250("Minden hang némítása"), BS_AUTOCHECKBOX | WS_TABSTOP, 20, 300,
         200, 22, DisableAllSoundsCB);
  f.label(page, W1250("(Filmek esetén nincs némítás)"), 224, 303, 290, 18, DisableAllSoundsNote);
  f.label(page, W1250("Állandó háttérzene:"), 20, 333, 128, 18, ALLBckSoundsLabel);
  f.make(page, L"EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, 150, 330, 330, 22, ALLBckSoundsFE,
         WS_EX_CLIENTEDGE);
  f.make(page, L"BUTTON", "...", BS_PUSHBUTTON | WS_TABSTOP, 484, 330, 32, 22, ALLBckSoundsBrowse);
}

void Panel2::createAboutPage(HWND page) {
  HINSTANCE inst = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(page, GWLP_HINSTANCE));
  ControlFactory f(inst, font_, dpi_);
  widgets::win32::registerLinkLabelClass(inst);
  HWND title = f.label(page, W1250("Vorn Képernyővédő"), 8, 6, 520, 34, Label1);
  SendMessageW(title, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_), FALSE);
  f.label(page, W1250("Változat: "), 8, 44, 300, 18, ssVerL);
  HWND l6 = f.label(page, W1250("Képernyővédő egyéni kollekcióval"), 8, 64, 520, 18, Label6);
  SendMessageW(l6, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_), FALSE);
  f.label(page, W1250("© A Vorn fejlesztői. Minden jog fenntartva."), 8, 84, 520, 18, Label2);
  f.label(page, W1250("A szerző honlapja:"), 8, 106, 130, 18, Label5);
  HWND web = f.make(page, widgets::win32::kLinkLabelClass, kMakerWeb, WS_TABSTOP, 140, 106, 300,
                    18, URLLabel1);
  widgets::win32::setLinkAddress(web, kMakerWeb);
  f.label(page, "E-mail:", 8, 126, 130, 18, Label9);
  HWND mail = f.make(page, widgets::win32::kLinkLabelClass, "info@vorn.example", WS_TABSTOP, 140,
                     126, 300, 18, URLLabel3);
  widgets::win32::setLinkAddress(mail, kMakerMail);
  f.label(page,
          W1250("Ez a képernyővédő személyes kép- és filmgyűjteményeket mutat be\r\n"
                "több mint 100 áttűnési effektussal, filmekkel, hangokkal és háttérzenével.\r\n"
                "Ilyen képernyővédőt bárki készíthet a saját képeiből és filmjeiből\r\n"
                "a fenti címen elérhető kollekciókészítő programmal,\r\n"
                "néhány egyszerű lépésben."),
          8, 148, 520, 82, Label8);
  f.make(page, L"BUTTON", W1250(" Kollekció és a kollekció készítőjének adatai: "), BS_GROUPBOX, 8,
         232, 520, 146, Label4);
  f.label(page, "Copyright:", 20, 252, 100, 18, CopyRL);
  f.label(page, "", 124, 252, 392, 18, CopyrightE);
  f.label(page, W1250("Internet cím:"), 20, 272, 100, 18, InetL);
  HWND url = f.make(page, widgets::win32::kLinkLabelClass, "", WS_TABSTOP, 124, 272, 392, 18, CI_URLL);
  if (auto* l = widgets::win32::linkLabelOf(url)) l->AUTOChange = true;
  f.make(page, L"BUTTON", "", BS_GROUPBOX, 20, 292, 496, 80, GroupBox4);
  f.label(page, "", 28, 306, 480, 60, CI_CommentL);
}

void Panel2::spinToControl(int id, const SpinEdit& s) {
  const int udId = id == ChgIntSE ? ChgIntSEUpDown : id == ChgIntMINSE ? ChgIntMINSEUpDown
                                                                        : ChgIntMAXSEUpDown;
  SendMessageW(ctl(udId), UDM_SETRANGE32, s.minValue(), s.maxValue());
  setText(ctl(id), s.text());
  EnableWindow(ctl(id), s.enabled);
  EnableWindow(ctl(udId), s.enabled);
}

int32_t Panel2::readSpin(int id, SpinEdit& s) {
  s.setText(getText(ctl(id)));
  return s.value();
}

void Panel2::applyEnabledStates() {
  updating_ = true;
  spinToControl(ChgIntSE, model_.settings.ChgIntSE);
  spinToControl(ChgIntMINSE, model_.settings.ChgIntMINSE);
  spinToControl(ChgIntMAXSE, model_.settings.ChgIntMAXSE);
  updating_ = false;
}

void Panel2::selectColour(uint32_t colour) {
  HWND c = ctl(BckColCB);
  const int n = int(SendMessageW(c, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i)
    if (uint32_t(SendMessageW(c, CB_GETITEMDATA, i, 0)) == colour) {
      SendMessageW(c, CB_SETCURSEL, i, 0);
      return;
    }
  const int i = int(SendMessageW(c, CB_ADDSTRING, 0, LPARAM(colour)));
  SendMessageW(c, CB_SETCURSEL, i, 0);
}

void Panel2::modelToControls() {
  updating_ = true;
  const PanelModel& m = model_;
  const SettingsPage& s = m.settings;
  setText(ctl(CollNameST), m.CollNameST);
  for (int id : {int(CopyRL), int(CopyrightE)}) ShowWindow(ctl(id), m.CopyrightVisible ? SW_SHOW : SW_HIDE);
  setText(ctl(CopyrightE), m.CopyrightE);
  for (int id : {int(InetL), int(CI_URLL)}) ShowWindow(ctl(id), m.CollUrlVisible ? SW_SHOW : SW_HIDE);
  widgets::win32::setLinkAddress(ctl(CI_URLL), m.CI_URLL);
  setText(ctl(CI_CommentL), m.CI_CommentL);
  SendMessageW(ctl(UseCommonOptionsCB), BM_SETCHECK, s.UseCommonOptionsCB, 0);
  selectColour(s.BckColCB);
  SendMessageW(ctl(ShwEffectNum), CB_SETCURSEL, s.ShwEffectNum, 0);
  SendMessageW(ctl(RadioButton1), BM_SETCHECK, s.RadioButton1, 0);
  SendMessageW(ctl(RadioButton2), BM_SETCHECK, s.RadioButton2, 0);
  SendMessageW(ctl(ShowModeCB), CB_SETCURSEL, s.ShowModeCB, 0);
  SendMessageW(ctl(NoMouseMoveExitCB), BM_SETCHECK, s.NoMouseMoveExitCB, 0);
  SendMessageW(ctl(DisableAllSoundsCB), BM_SETCHECK, s.DisableAllSoundsCB, 0);
  setText(ctl(ALLBckSoundsFE), s.ALLBckSoundsFE);
  HWND lv = ctl(ListView1);
  SendMessageW(lv, LVM_DELETEALLITEMS, 0, 0);
  for (size_t i = 0; i < m.ListView1.size(); ++i) {
    std::u16string w = text::cp1250ToUtf16(m.ListView1[i].caption);
    LVITEMW it{};
    it.mask = LVIF_TEXT | LVIF_IMAGE;
    it.iItem = int(i);
    it.pszText = reinterpret_cast<LPWSTR>(w.data());
    it.iImage = m.ListView1[i].icon;
    SendMessageW(lv, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it));
  }
  updating_ = false;
  applyEnabledStates();
}

void Panel2::controlsToModel() {
  SettingsPage& s = model_.settings;
  s.UseCommonOptionsCB = SendMessageW(ctl(UseCommonOptionsCB), BM_GETCHECK, 0, 0) == BST_CHECKED;
  HWND colours = ctl(BckColCB);
  const LRESULT sel = SendMessageW(colours, CB_GETCURSEL, 0, 0);
  if (sel >= 0) s.BckColCB = uint32_t(SendMessageW(colours, CB_GETITEMDATA, sel, 0));
  s.RadioButton1 = SendMessageW(ctl(RadioButton1), BM_GETCHECK, 0, 0) == BST_CHECKED;
  s.RadioButton2 = SendMessageW(ctl(RadioButton2), BM_GETCHECK, 0, 0) == BST_CHECKED;
  readSpin(ChgIntSE, s.ChgIntSE);
  readSpin(ChgIntMINSE, s.ChgIntMINSE);
  readSpin(ChgIntMAXSE, s.ChgIntMAXSE);
  const LRESULT fx = SendMessageW(ctl(ShwEffectNum), CB_GETCURSEL, 0, 0);
  if (fx >= 0) s.ShwEffectNum = int(fx);
  const LRESULT sm = SendMessageW(ctl(ShowModeCB), CB_GETCURSEL, 0, 0);
  if (sm >= 0) s.ShowModeCB = int(sm);
  s.NoMouseMoveExitCB = SendMessageW(ctl(NoMouseMoveExitCB), BM_GETCHECK, 0, 0) == BST_CHECKED;
  s.DisableAllSoundsCB = SendMessageW(ctl(DisableAllSoundsCB), BM_GETCHECK, 0, 0) == BST_CHECKED;
  s.ALLBckSoundsFE = getText(ctl(ALLBckSoundsFE));
}

void Panel2::SS1BeforeConfigBoxActive() {
  modelToControls();
  HWND lv = ctl(ListView1);
  const TCNFFileMan* man = svc_.state ? svc_.state->FileMan.get() : nullptr;
  if (man && narrowListColumn(man->header.ItemCount())) {
    const int w = int(SendMessageW(lv, LVM_GETCOLUMNWIDTH, 0, 0));
    SendMessageW(lv, LVM_SETCOLUMNWIDTH, 0, w - MulDiv(16, dpi_, 96));
  } else {
    SendMessageW(lv, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE_USEHEADER);
  }
  InvalidateRect(lv, nullptr, TRUE);
  selectPage(0);
  vorn::win32::Win32VersionInfoReader reader;
  saverhost::TFileVersion v;
  saverhost::GetFileVersion(reader, svc_.exePath, v);
  setText(ctl(ssVerL), versionLabelText(v.Valid, v.FileMS));
}

void Panel2::browseBackgroundSound() {
  wchar_t file[MAX_PATH] = {};
  const std::u16string current = text::cp1250ToUtf16(getText(ctl(ALLBckSoundsFE)));
  lstrcpynW(file, reinterpret_cast<LPCWSTR>(current.c_str()), MAX_PATH);
  // The filter is "text|pattern" with the bars made zeros.
  std::u16string filter =
      text::cp1250ToUtf16(W1250("Minden támogatott hang (WAV, MID, RMI)|*.wav;*.mid;*.rmi|"));
  for (char16_t& c : filter)
    if (c == u'|') c = 0;
  filter.push_back(0);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = GetAncestor(hwnd_, GA_ROOT);
  ofn.lpstrFilter = reinterpret_cast<LPCWSTR>(filter.c_str());
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (GetOpenFileNameW(&ofn)) {
    model_.settings.ALLBckSoundsFEAfterDialog(text::utf16ToCp1250(reinterpret_cast<const char16_t*>(file)));
    setText(ctl(ALLBckSoundsFE), model_.settings.ALLBckSoundsFE);
  }
}

}  // namespace vorn::config::win32
