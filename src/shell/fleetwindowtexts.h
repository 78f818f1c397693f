#pragma once

#include <QString>

// The radios table is checked by the very code the command line runs, and that code
// speaks English: its messages are part of the command line's output and its log. The
// window shows them in its own language by recognising each message's shape.
namespace FleetWindowTexts {

// What the check says of a cell, of a row or of the header ("12 needs 3 to 5 digits"), as
// the window shows it. A message of a shape this table does not know is shown as it is.
QString fault(const QString &english, bool chinese);

} // namespace FleetWindowTexts
