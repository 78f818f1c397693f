#pragma once

#include <QtGlobal>
#include <utility>

// What a grid model's commit edits: the contents (or the image) the document hands it
// inside the one change the commit runs in, and nothing outside that change.
template <typename T>
class EditTarget
{
public:
    // Runs `commit` with `target` as what is edited, and returns what it returns.
    template <typename Commit>
    auto during(T &target, Commit &&commit)
    {
        struct Restore
        {
            EditTarget &self;
            T *before;
            ~Restore() { self.m_target = before; }
        } restore{*this, std::exchange(m_target, &target)};
        return commit();
    }

    T &operator*() const
    {
        Q_ASSERT(m_target);
        return *m_target;
    }

private:
    T *m_target = nullptr;
};
