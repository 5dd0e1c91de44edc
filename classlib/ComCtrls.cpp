#include "ComCtrls.h"

#include <algorithm>

#include "FormLoader.h"

// TTabSheet

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) { SetVisible(false); }

void TTabSheet::SetPageControl(TPageControl* pageControl) {
    if (FPageControl) {
        auto& pages = FPageControl->FPages;
        pages.erase(std::remove(pages.begin(), pages.end(), this), pages.end());
    }
    FPageControl = pageControl;
    if (pageControl) {
        pageControl->FPages.push_back(this);
        SetParent(pageControl);
    }
}

int TTabSheet::PageIndex() const {
    if (!FPageControl) return -1;
    const auto& pages = FPageControl->FPages;
    return int(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

bool TTabSheet::ReadProperty(const AnsiString& name, const TFormValue& value, TFormLoader& loader) {
    if (name == "PageControl")
        loader.Reference(value, [this, &loader](TComponent* c) {
            auto* pageControl = dynamic_cast<TPageControl*>(c);
            if (!pageControl) loader.Error("PageControl of " + Name + " is not a page control");
            SetPageControl(pageControl);
        });
    else if (name == "TabVisible")
        FTabVisible = loader.Bool(value);
    else if (name == "OnShow")
        OnShow = loader.Method(value);
    else if (name == "OnHide")
        OnHide = loader.Method(value);
    else
        return TWinControl::ReadProperty(name, value, loader);
    return true;
}

void TTabSheet::ShowingChanged() {
    DispatchEvent(OnShow, this);
    TWinControl::ShowingChanged();
}

// TPageControl

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) { FTabStop = true; }

int TPageControl::ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int index) {
    if (index >= 0 && index < PageCount()) SetActivePage(FPages[index]);
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page == FActivePage || !page || page->PageControl() != this) return;
    TTabSheet* old = FActivePage;
    bool onScreen = Showing() && HandleAllocated() && IsWindowVisible(Handle());
    page->SetVisible(true);
    if (page->HandleAllocated())
        SetWindowPos(page->Handle(), HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (onScreen) DispatchEvent(page->OnShow, page);
    if (old) {
        old->SetVisible(false);
        if (onScreen) DispatchEvent(old->OnHide, old);
    }
    FActivePage = page;
}

bool TPageControl::ReadProperty(const AnsiString& name, const TFormValue& value,
                                TFormLoader& loader) {
    if (name != "ActivePage") return TWinControl::ReadProperty(name, value, loader);
    // The pages join the control through references of their own, which may be
    // resolved after this one; the page is selected once the whole layout is read.
    loader.Reference(value, [this, &loader](TComponent* c) {
        FLoadedActivePage = dynamic_cast<TTabSheet*>(c);
        if (!FLoadedActivePage) loader.Error("ActivePage " + c->Name + " is not a page");
    });
    return true;
}

void TPageControl::Loaded() {
    TWinControl::Loaded();
    BoundsChanged();
    if (FLoadedActivePage) SetActivePage(FLoadedActivePage);
}

// The pages fill the control inside its frame.
RECT TPageControl::PageArea() const { return {4, 4, Width() - 4, Height() - 4}; }

void TPageControl::BoundsChanged() {
    TWinControl::BoundsChanged();
    RECT area = PageArea();
    for (TTabSheet* page : FPages)
        page->SetBounds(area.left, area.top, area.right - area.left, area.bottom - area.top);
}

void TPageControl::Paint(HDC dc) {
    PaintBackground(dc);
    RECT frame{2, 2, Width() - 2, Height() - 2};
    DrawEdge(dc, &frame, EDGE_RAISED, BF_RECT);
}
