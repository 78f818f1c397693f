#include "link/linknotices.h"

LinkNotices &LinkNotices::instance()
{
    static LinkNotices notices;
    return notices;
}
