#include "ui/win32/fenster.h"

// clang-format off
#include <initguid.h>  // the oleacc GUIDs, defined once here
#include <oleacc.h>
#include <wrl/client.h>
// clang-format on

#include <algorithm>
#include <utility>

#include "ui/regeln.h"
#include "ui/win32/intern.h"
#include "ui/win32/ressourcen.h"

namespace dunstwerk {
namespace {

using namespace win32;

// Both window classes of the program, once: a second window finds them.
void RegistriereKlassen(HINSTANCE instanz, WNDPROC fenster, WNDPROC bild) {
  WNDCLASSEXW klasse{};
  klasse.cbSize = sizeof(klasse);
  if (GetClassInfoExW(instanz, kFensterklasse, &klasse)) return;
  klasse = {};
  klasse.cbSize = sizeof(klasse);
  klasse.hInstance = instanz;
  klasse.hCursor = LoadCursorW(nullptr, IDC_ARROW);

  klasse.lpfnWndProc = bild;
  klasse.lpszClassName = kBildklasse;
  RegisterClassExW(&klasse);

  klasse.lpfnWndProc = fenster;
  klasse.lpszClassName = kFensterklasse;
  klasse.hIcon = static_cast<HICON>(
      LoadImageW(instanz, MAKEINTRESOURCEW(IDI_DUNSTWERK), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  klasse.hIconSm = static_cast<HICON>(LoadImageW(instanz, MAKEINTRESOURCEW(IDI_DUNSTWERK),
                                                 IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), 0));
  RegisterClassExW(&klasse);
}

// The names and roles through oleacc, for every client of the system's
// accessibility interfaces.
class OleaccDienst final : public Zugangsdienst {
 public:
  explicit OleaccDienst(Microsoft::WRL::ComPtr<IAccPropServices> dienst)
      : dienst_(std::move(dienst)) {}
  void SetzeName(HWND steuerelement, const std::wstring& name) override {
    dienst_->SetHwndPropStr(steuerelement, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                            PROPID_ACC_NAME, name.c_str());
  }
  void SetzeRolle(HWND steuerelement, long rolle) override {
    VARIANT wert{};
    wert.vt = VT_I4;
    wert.lVal = rolle;
    dienst_->SetHwndProp(steuerelement, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                         PROPID_ACC_ROLE, wert);
  }
  void Vergessen(HWND steuerelement) override {
    const MSAAPROPID eigenschaften[] = {PROPID_ACC_NAME, PROPID_ACC_ROLE};
    dienst_->ClearHwndProps(steuerelement, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                            eigenschaften, 2);
  }

 private:
  Microsoft::WRL::ComPtr<IAccPropServices> dienst_;
};

std::unique_ptr<Zugangsdienst> OleaccZugang() {
  Microsoft::WRL::ComPtr<IAccPropServices> dienst;
  if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IAccPropServices,
                              reinterpret_cast<void**>(dienst.GetAddressOf()))))
    return nullptr;
  return std::make_unique<OleaccDienst>(std::move(dienst));
}

}  // namespace

Fenster::Fenster(HINSTANCE instanz, std::optional<std::string> dezimaltrenner,
                 std::unique_ptr<Zugangsdienst> zugang)
    : instanz_(instanz),
      zugang_(std::move(zugang)),
      logik_(*this, dezimaltrenner ? std::move(*dezimaltrenner) : NutzerDezimaltrenner()) {
  hintergrund_ = CreateSolidBrush(Ref(kHintergrund));
  RegistriereKlassen(instanz_, &Fenster::Fensterprozedur, &Fenster::Bildprozedur);

  // Opened on the primary monitor, so its DPI is the one to size by.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT frei = monitor.rcWork;
  CreateWindowExW(kStilErweitert, kFensterklasse, L"", kStil, frei.left, frei.top, 100, 100,
                  nullptr, nullptr, instanz_, this);
  if (!hwnd_) return;
  dpi_ = DpiVon(hwnd_);

  const RECT r = Rahmen(kFensterBreiteTwips, kFensterHoeheTwips, dpi_);
  const int breite = r.right - r.left;
  const int hoehe = r.bottom - r.top;
  const int links = frei.left + std::max(0L, (frei.right - frei.left - breite) / 2);
  const int oben = frei.top + std::max(0L, (frei.bottom - frei.top - hoehe) / 2);
  SetWindowPos(hwnd_, nullptr, links, oben, breite, hoehe, SWP_NOZORDER | SWP_NOACTIVATE);

  ErzeugeSteuerelemente();
  Anordnen(false);
  SetzeZugaenglichkeit();
}

Fenster::~Fenster() {
  if (hwnd_) {
    abbau_ = true;
    DestroyWindow(hwnd_);
  }
  schriften_.Loeschen();
  if (hintergrund_) DeleteObject(hintergrund_);
}

void Fenster::Anzeigen(int nCmdShow) {
  ShowWindow(hwnd_, nCmdShow);
  UpdateWindow(hwnd_);
}

std::optional<Element> Fenster::ElementVonHwnd(HWND steuerelement) const {
  const auto stelle = std::find(steuerelemente_.begin(), steuerelemente_.end(), steuerelement);
  if (!steuerelement || stelle == steuerelemente_.end()) return std::nullopt;
  return static_cast<Element>(stelle - steuerelemente_.begin());
}

void Fenster::ErzeugeSteuerelemente() {
  // Created in tab order: the dialog keys walk the children in the order
  // they were made. Labels take no focus, so each row label can stand just
  // before its text box, where screen readers look for a text box's name
  // when nothing else names it. Only the error label overlaps other
  // controls, and those are hidden whenever it shows.
  auto istZeilenname = [](Element e) {
    return std::any_of(kSteuerelemente.begin(), kSteuerelemente.end(),
                       [e](const Steuerelement& s) { return s.zeile == kSteuerelemente[e].name; });
  };
  std::vector<Element> folge;
  for (Element e : kTabfolge) {
    if (istZeilenname(e)) continue;
    if (kSteuerelemente[e].art == Art::Textfeld)
      folge.push_back(ElementVon(kSteuerelemente[e].zeile));
    folge.push_back(e);
  }

  for (Element e : folge) {
    const Steuerelement& s = kSteuerelemente[e];
    const wchar_t* klasse = L"STATIC";
    DWORD stil = WS_CHILD | WS_CLIPSIBLINGS | (s.sichtbar ? WS_VISIBLE : 0);
    DWORD erweitert = 0;
    switch (s.art) {
      case Art::Bezeichnung:
        stil |= SS_NOPREFIX | (s.zentriert ? SS_CENTER : SS_LEFT);
        break;
      case Art::Textfeld:
        klasse = L"EDIT";
        stil |= WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
        erweitert = WS_EX_CLIENTEDGE;
        break;
      case Art::Schaltflaeche:
        klasse = L"BUTTON";
        stil |= WS_TABSTOP | BS_PUSHBUTTON;
        break;
      case Art::Bildfeld:
        klasse = kBildklasse;
        stil |= WS_TABSTOP;
        break;
    }
    // Made where they stand at the window's DPI: moving each again would
    // cost the start a round trip per control.
    steuerelemente_[e] =
        CreateWindowExW(erweitert, klasse, Breit(s.text).c_str(), stil, Pixel(s.links, dpi_),
                        Pixel(s.oben, dpi_), Pixel(s.breite, dpi_), Pixel(s.hoehe, dpi_), hwnd_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kErsteSteuerelementId + e)),
                        instanz_, nullptr);
  }
}

void Fenster::SetzeZugaenglichkeit() {
  if (!zugang_) zugang_ = OleaccZugang();
  if (!zugang_) return;
  for (Element e = 0; e < kSteuerelemente.size(); ++e) {
    if (const std::string_view name = ZugangsnameVon(e); !name.empty())
      zugang_->SetzeName(steuerelemente_[e], Breit(name));
    switch (RolleVon(e)) {
      case Rolle::Alarm:
        zugang_->SetzeRolle(steuerelemente_[e], ROLE_SYSTEM_ALERT);
        break;
      case Rolle::Grafik:
        zugang_->SetzeRolle(steuerelemente_[e], ROLE_SYSTEM_GRAPHIC);
        break;
      case Rolle::Standard:
        break;
    }
  }
}

void Fenster::PauseBeenden() {
  KillTimer(hwnd_, kPausenuhr);
  if (logik_.Pausiert()) logik_.PauseAbgelaufen();
}

void Fenster::Zeigen(Element e, bool sichtbar) {
  ShowWindow(steuerelemente_[e], sichtbar ? SW_SHOWNA : SW_HIDE);
  if (sichtbar && RolleVon(e) == Rolle::Alarm)
    NotifyWinEvent(EVENT_SYSTEM_ALERT, steuerelemente_[e], OBJID_CLIENT, CHILDID_SELF);
}

void Fenster::SetzeText(Element e, std::string_view text) {
  SetWindowTextW(steuerelemente_[e], Breit(text).c_str());
}

std::string Fenster::Text(Element e) const {
  const int laenge = GetWindowTextLengthW(steuerelemente_[e]);
  std::wstring text(static_cast<std::size_t>(laenge) + 1, L'\0');
  const int gelesen = GetWindowTextW(steuerelemente_[e], text.data(), laenge + 1);
  text.resize(static_cast<std::size_t>(std::max(gelesen, 0)));
  return Schmal(text);
}

void Fenster::SetzeBeschriftung(Element e, std::string_view text) {
  SetWindowTextW(steuerelemente_[e], Breit(text).c_str());
}

void Fenster::Fokus(Element e) { SetFocus(steuerelemente_[e]); }

void Fenster::NeuZeichnen() {
  RedrawWindow(hwnd_, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void Fenster::StartePausenuhr(int millisekunden) {
  SetTimer(hwnd_, kPausenuhr, static_cast<UINT>(millisekunden), nullptr);
}

void Fenster::Beenden() {
  if (hwnd_) DestroyWindow(hwnd_);
}

}  // namespace dunstwerk
