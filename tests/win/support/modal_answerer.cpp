#include "support/modal_answerer.h"

#include <windows.h>

#include <algorithm>
#include <set>

namespace tavrolex::testing {
namespace {

ModalAnswerer* g_answerer = nullptr;
std::set<HWND> g_answered;

constexpr int kMessageTextId = 0xFFFF;     // the text of a message box
constexpr int kFileNameComboId = 0x47C;    // the file name field of a file dialog (combo box)
constexpr int kFileNameEditId = 0x480;     // the same as a plain edit

std::string TextOf(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

bool IsRectEmptyOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return IsRectEmpty(&rect) != FALSE;
}

BOOL CALLBACK FindBox(HWND window, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (lstrcmpW(name, L"#32770") == 0 && IsWindowVisible(window) && !g_answered.count(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

ModalAnswerer::ModalAnswerer() {
  g_answerer = this;
  g_answered.clear();
  timer_ = SetTimer(nullptr, 0, 40, [](HWND, UINT, UINT_PTR, DWORD) { Tick(); });
}

ModalAnswerer::~ModalAnswerer() {
  KillTimer(nullptr, static_cast<UINT_PTR>(timer_));
  if (g_answerer == this) g_answerer = nullptr;
}

void ModalAnswerer::QueueFileAnswer(std::optional<std::string> name) { file_answers_.push_back(std::move(name)); }

void ModalAnswerer::Tick() {
  ModalAnswerer* self = g_answerer;
  if (!self) return;
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &FindBox, reinterpret_cast<LPARAM>(&box));
  if (!box) return;
  HWND name_field = GetDlgItem(box, kFileNameComboId);
  if (!name_field) name_field = GetDlgItem(box, kFileNameEditId);
  AnsweredBox record;
  record.caption = TextOf(box);
  const HWND owner = GetWindow(box, GW_OWNER);
  record.owner_visible = owner && IsWindowVisible(owner) && !IsRectEmptyOf(owner);
  if (name_field) {
    record.file_dialog = true;
    self->last_initial_name_ = TextOf(name_field);
    std::optional<std::string> answer;
    if (!self->file_answers_.empty()) {
      answer = self->file_answers_.front();
      self->file_answers_.erase(self->file_answers_.begin());
    }
    g_answered.insert(box);
    self->boxes_.push_back(record);
    if (answer) {
      SetWindowTextA(name_field, answer->c_str());
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    } else {
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
    return;
  }
  if (HWND text = GetDlgItem(box, kMessageTextId)) record.text = TextOf(text);
  g_answered.insert(box);
  self->boxes_.push_back(record);
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
}

}  // namespace tavrolex::testing
