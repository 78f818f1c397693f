#pragma once

#include "editor/editorwindow.h"

#include <QVector>
#include <cstdint>

class AreaView;
class MemoryImage;
class QCheckBox;
class QComboBox;
struct ListField;

// What the three signalling windows share on the editor frame: the port message and
// completion title of the main window's kind, no refresh on activation (each shows its
// area again when it opens, after Default, after a read and after its own edits), and
// one button row in which every action waits for a running transfer (Default would be
// overwritten by a read and would change what a write is sending).
namespace SignallingFrame {

EditorWindow::Setup setup(const BiText &caption, const EditorWindow::Texts &texts, double widthDivisor,
                          double heightDivisor);
const QVector<EditorWindow::Button> &buttons();

} // namespace SignallingFrame

// The controls the signalling windows build alike over their own area: lists bound to
// field table rows and check boxes bound to single bits (their grids are the frame's).
class SignallingEditor : public EditorWindow
{
    Q_OBJECT
protected:
    using AreaOf = AreaView (*)(MemoryImage &);
    SignallingEditor(const Setup &setup, AreaOf area, QWidget *parent);

    // The window's own area, for its bindings.
    AreaOf area() const { return m_area; }
    // `content` above the shared button row.
    void layOut(QWidget *content);
    // `page` at full size while the window has room, and scrolled rather than squeezed
    // below its minimum when it has not (the windows open at a share of the main window).
    static QWidget *scrolling(QWidget *page);

    // A list that can only be chosen from; a choice stores the field's position.
    QComboBox *makeList(const QString &objectName, const ListField &field);
    QComboBox *makeList(const char *objectName, const ListField &field)
    {
        return makeList(QString::fromLatin1(objectName), field);
    }
    QCheckBox *makeBitBox(const QString &objectName, const BiText *caption, int offset, uint8_t bit,
                          QWidget *parent = nullptr);

private:
    AreaOf m_area;
};
