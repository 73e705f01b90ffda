#include "catalogue.h"

QList<Picture> allPictures()
{
    return loginAndHeaderPictures() + rackScreenPictures() + bathPictures() + counterDialogPictures() + searchDialogPictures();
}
