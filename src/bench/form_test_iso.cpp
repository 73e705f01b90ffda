// The bath positions judged by their history against the newest count.
#include "bench/form_test.h"

#include "bench/iso_code_rules.h"

void Form_Test::Check_ISO_History(int Index, bool& bOk) const
{
    bOk = isoRules::Check_ISO_History(History->Cell_Text(0, 0), lbl_isoCode[Index]->caption(), ISO5_SAMPLE);
}

void Form_Test::Color_ISO_Labels(int Index)
{
    const int first = Index < 0 ? 0 : Index;
    const int last = Index < 0 ? Bath_Size - 1 : Index;
    if (first >= Bath_Size) return;
    const QString newest = History->Cell_Text(0, 0);
    for (int i = first; i <= last; ++i) {
        ui::Label* iso = lbl_isoCode[i];
        if (iso->caption().isEmpty()) continue;
        const isoRules::Iso_Label_Look look = isoRules::Iso_Label_Colors(newest, iso->caption(), ISO5_SAMPLE);
        if (look.opaque) iso->setBackColor(look.back);
        iso->setOpaque(look.opaque);
        iso->setBorder(look.border);
        iso->setForeColor(look.fore);
        iso->setAlignment(look.alignment);
    }
}

QColor Form_Test::Iso_History_Color(bool bBack, const QString& iso2, const QString& iso5, const QString& iso15) const
{
    return isoRules::Iso_History_Color(bBack, iso2, iso5, iso15, ISO5_SAMPLE, ISO15_SAMPLE);
}
