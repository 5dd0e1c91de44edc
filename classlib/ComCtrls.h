// The page control and its pages. Pages show no tabs: the control shows one page
// at a time, and the program switches pages itself.
#pragma once

#include <vector>

#include "Controls.h"

class TPageControl;

class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* owner);

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* pageControl);
    int PageIndex() const;
    bool TabVisible() const { return FTabVisible; }

    bool ReadProperty(const AnsiString& name, const TFormValue& value,
                      TFormLoader& loader) override;
    void ShowingChanged() override;

private:
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
};

class TPageControl : public TWinControl {
public:
    explicit TPageControl(TComponent* owner);

    int PageCount() const { return int(FPages.size()); }
    TTabSheet* Pages(int index) const { return FPages[index]; }
    TTabSheet* ActivePage() const { return FActivePage; }
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    // On screen: the new page is shown and its OnShow runs, then the old page is
    // hidden and its OnHide runs, and only then does the new page become active.
    void SetActivePage(TTabSheet* page);

    bool ReadProperty(const AnsiString& name, const TFormValue& value,
                      TFormLoader& loader) override;
    void Loaded() override;
    RECT PageArea() const;

protected:
    void Paint(HDC dc) override;
    void BoundsChanged() override;

private:
    friend class TTabSheet;
    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
    TTabSheet* FLoadedActivePage = nullptr;  // the stored ActivePage, until Loaded
};
