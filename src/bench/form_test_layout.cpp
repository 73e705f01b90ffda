// The bench laid out around the rack screen and under the header bar, once, while
// the bench loads.
#include "bench/form_test.h"

#include "platform/ui/twips.h"
#include "shell/form_header.h"

void Form_Test::Arrange_Station_Screen()
{
    if (!Is_Loading) return;
    const double top = ui::Height(&ui::Default_Instance<Form_Header>::get());
    const double left = 7200;
    ui::setTwipGeometry(this, left, top, ui::screenWidthTwips() - left, ui::screenHeightTwips() - top);
}
