// Push buttons.
#pragma once

#include "Controls.h"

class TBitBtn : public TWinControl {
public:
    explicit TBitBtn(TComponent* owner);

    TNotifyEvent OnClick;
    void Click();

    bool ReadProperty(const AnsiString& name, const TFormValue& value,
                      TFormLoader& loader) override;

protected:
    TCreateParams CreateParams() override;
    void Notify(WORD code) override;
};
