#pragma once

class Document;
class QString;

// The alignment window's .adj files: what Open and Save do with the document's alignment
// block, and the message each ends with (in the language of the moment).
namespace AlignmentFiles {

// The whole block from the file as one undo step; false, and nothing changed, when the
// file is refused.
bool open(Document &document, const QString &path, QString *message);
bool save(const Document &document, const QString &path, QString *message);

} // namespace AlignmentFiles
