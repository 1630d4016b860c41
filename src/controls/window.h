// The base of every window object: owns one HWND, routes its messages to a virtual method,
// and forgets the handle when the window is destroyed, so objects and windows may end in
// any order.
#pragma once

#include <windows.h>

namespace tavrolex {

// A control's place in its parent's client area, in pixels.
struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND Handle() const { return hwnd_; }
  void Destroy();

  bool Visible() const;  // its own visible style, whatever its parent's state
  void SetVisible(bool visible);
  bool Enabled() const;
  void SetEnabled(bool enabled);
  void SetFont(HFONT font);
  HFONT Font() const;
  Bounds GetBounds() const;  // relative to the parent's client area
  void SetBounds(const Bounds& bounds);
  void SetStyleBits(DWORD bits, bool on);

  // A notification that this window's parent received from it (WM_COMMAND, WM_NOTIFY,
  // WM_HSCROLL, WM_VSCROLL, WM_CTLCOLOR*). Returns true when handled, with *result set.
  virtual bool OnNotify(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);

 protected:
  // Registers one of our own window classes once per process.
  static void RegisterOwnClass(const wchar_t* class_name, HBRUSH background, UINT class_style = 0,
                               HICON icon = nullptr);
  // Creates a window of one of our own classes; its messages arrive in HandleMessage.
  bool CreateOwn(const wchar_t* class_name, DWORD ex_style, DWORD style, const wchar_t* text,
                 HWND parent, int id, const Bounds& bounds);
  // Creates a standard control and subclasses it; its messages arrive in HandleMessage.
  bool CreateStandard(const wchar_t* class_name, DWORD ex_style, DWORD style, const wchar_t* text,
                      HWND parent, int id, const Bounds& bounds);

  // Every message of the window; the default passes it on to the class's own procedure.
  virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT DefaultProc(UINT message, WPARAM wparam, LPARAM lparam);

 private:
  static LRESULT CALLBACK OwnProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                       UINT_PTR id, DWORD_PTR data);
  LRESULT Dispatch(UINT message, WPARAM wparam, LPARAM lparam);

  HWND hwnd_ = nullptr;
  bool subclassed_ = false;
};

// Hands a notification that a container received to the object of the child it names.
// Returns true when that object handled it.
bool ReflectToChild(HWND child, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);

}  // namespace tavrolex
