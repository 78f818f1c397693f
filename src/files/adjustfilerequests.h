#pragma once

#include <QObject>
#include <QString>

// The adjust file windows hand their chosen path to the alignment window, which owns the
// alignment table and does the reading or writing itself. A request waits here until the
// alignment window takes it; taking clears it, so every request is acted on once.
// `requested()` lets the alignment window react at once instead of waiting for its poll.
class AdjustFileRequests : public QObject
{
    Q_OBJECT

public:
    enum class Action { None, Open, Save };

    struct Request
    {
        Action action = Action::None;
        QString path;

        bool isPending() const { return action != Action::None; }
    };

    static AdjustFileRequests &instance();

    // A new request replaces one not yet taken: only the user's latest choice counts,
    // and one shared path could not serve two requests anyway.
    void requestOpen(const QString &path);
    void requestSave(const QString &path);

    bool openPending() const { return m_request.action == Action::Open; }
    bool savePending() const { return m_request.action == Action::Save; }
    QString path() const { return m_request.path; }

    // The pending request (or one with Action::None), cleared before it is returned.
    Request take();

signals:
    void requested();

private:
    void post(Action action, const QString &path);

    Request m_request;
};
