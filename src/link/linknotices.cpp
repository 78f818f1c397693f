#include "link/linknotices.h"

LinkNotices &LinkNotices::instance()
{
    static LinkNotices notices;
    return notices;
}

LinkNotices::LinkNotices()
{
    connect(this, &LinkNotices::identified, this, [this](const RadioIdentity &identity) { m_lastIdentity = identity; });
    connect(this, &LinkNotices::portChosen, this, [this] { m_lastIdentity.reset(); });
}
