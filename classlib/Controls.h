// The control hierarchy: windowless and windowed controls.
#pragma once

#include <windows.h>

#include <vector>

#include "Classes.h"
#include "Graphics.h"

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

class TWinControl;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return FParent; }
    void SetParent(TWinControl* parent);

    int Left() const { return FBounds.left; }
    int Top() const { return FBounds.top; }
    int Width() const { return FBounds.right - FBounds.left; }
    int Height() const { return FBounds.bottom - FBounds.top; }
    const RECT& BoundsRect() const { return FBounds; }
    void SetBounds(int left, int top, int width, int height);

    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);

    // Caption and Text name the same text, as labels and edit boxes call it.
    const String& Caption() const { return FText; }
    void SetCaption(const String& text);
    const String& Text() const { return FText; }
    void SetText(const String& text) { SetCaption(text); }

    TFont& Font() { return FFont; }
    TColor Color() const { return FColor; }
    TAlign Align() const { return FAlign; }
    int TabOrder() const { return FTabOrder; }

    // Visible here and in every parent up to a form that is on screen.
    bool Showing() const;

    bool ReadProperty(const AnsiString& name, const TFormValue& value,
                      TFormLoader& loader) override;
    void Loaded() override;
    virtual void ScaleBy(int multiplier, int divisor);
    virtual void Paint(HDC) {}

protected:
    virtual void BoundsChanged() {}
    virtual void VisibleChanged() {}
    virtual void EnabledChanged() {}
    virtual void TextChanged() {}
    virtual void AdjustSize() {}  // a control that sizes itself to its text does it here
    void Invalidate();

    bool FAutoSize = false;

private:
    friend class TWinControl;

    TWinControl* FParent = nullptr;
    RECT FBounds{};
    bool FVisible = true;
    bool FEnabled = true;
    String FText;
    TFont FFont;
    TColor FColor = clBtnFace;
    bool FParentFont = true;
    bool FParentColor = true;
    TAlign FAlign = alNone;
    int FTabOrder = -1;
};

// A control painted by its parent, without a window of its own.
class TGraphicControl : public TControl {
public:
    using TControl::TControl;
};

struct TCreateParams {
    const wchar_t* ClassName;
    DWORD Style;
    DWORD ExStyle;
};

// A control with a window of its own.
class TWinControl : public TControl {
public:
    using TControl::TControl;
    ~TWinControl() override;

    HWND Handle() const { return FHandle; }
    bool HandleAllocated() const { return FHandle != nullptr; }
    void CreateHandle();  // this window, then its children

    int ControlCount() const { return int(FControls.size()); }
    TControl* Controls(int index) const { return FControls[index]; }

    // Paints what is waiting to be painted now, without returning to the message loop.
    void Update() const {
        if (FHandle) UpdateWindow(FHandle);
    }

    bool TabStop() const { return FTabStop; }
    bool CanFocus() const;
    bool Focused() const;
    void SetFocus();
    // Focusable windowed controls below this one, in tab order.
    void GetTabOrderList(std::vector<TWinControl*>& list);
    // Moves the focus to the control after (or before) current in tab order, cycling.
    void SelectNextFrom(TWinControl* current, bool forward = true);

    bool ReadProperty(const AnsiString& name, const TFormValue& value,
                      TFormLoader& loader) override;
    void Loaded() override;
    // The form has come on screen: this control and its children are showing now.
    virtual void ShowingChanged();

    // The control that owns a window, if it is one of ours.
    static TWinControl* FindControl(HWND window) { return window ? FromHandle(window) : nullptr; }

    // Lays out children aligned to an edge or to the whole client area.
    void AlignControls();

protected:
    virtual TCreateParams CreateParams();
    virtual void CreateWnd();
    // Our own window classes land here; standard controls keep their class procedure.
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    // A notification (WM_COMMAND) that this control sent to its parent.
    virtual void Notify(WORD) {}
    // Colours for a standard control's WM_CTLCOLOR* message.
    virtual HBRUSH CtlColor(HDC dc);
    void Paint(HDC dc) override;  // background, then the windowless children
    void PaintBackground(HDC dc);
    void PaintControls(HDC dc);

    void BoundsChanged() override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    void TextChanged() override;

    bool FTabStop = false;

private:
    friend class TControl;
    std::vector<TWinControl*> WindowedChildren() const;
    void PassFocusOn();
    static LRESULT CALLBACK StdWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static TWinControl* FromHandle(HWND window);
    LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);

    HWND FHandle = nullptr;
    std::vector<TControl*> FControls;  // children, in creation order
    HBRUSH FBrush = nullptr;
};

// The window class that our own containers register.
extern const wchar_t ControlClassName[];
