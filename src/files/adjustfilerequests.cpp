#include "files/adjustfilerequests.h"

AdjustFileRequests &AdjustFileRequests::instance()
{
    static AdjustFileRequests requests;
    return requests;
}

void AdjustFileRequests::requestOpen(const QString &path)
{
    post(Action::Open, path);
}

void AdjustFileRequests::requestSave(const QString &path)
{
    post(Action::Save, path);
}

AdjustFileRequests::Request AdjustFileRequests::take()
{
    Request taken = m_request;
    m_request = Request{};
    return taken;
}

void AdjustFileRequests::post(Action action, const QString &path)
{
    m_request = Request{action, path};
    emit requested();
}
