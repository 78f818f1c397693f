#pragma once

#include "files/fileresult.h"

#include <QByteArray>
#include <QString>

// Writes `bytes` to a temporary file beside `path` and renames it over `path` only when
// every byte is on disk, so the previous file survives any failure.
FileResult writeFileReplacing(const QString &path, const QByteArray &bytes);
