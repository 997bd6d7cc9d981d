#pragma once

#include <cstdint>

#include "mp3/byte_source.h"

namespace kz {

// Where the frame headers of a file are looked for: between the tags at its front and at its
// end. The pictures and texts in tags are full of bytes that look like frame headers, which
// would distort the count. A tag whose size does not fit the file is no tag.

// The offset past every ID3v2 tag at the front, one directly after another.
std::uint64_t LeadingTagsEnd(ByteSource& bytes);

// The offset where the tags at the end begin, none of them before `lowest`: ID3v1 (with an
// extended "TAG+" block before it), APEv1 (footer only) and APEv2 (footer, and header when the
// footer announces one), Lyrics3 v2, Lyrics3 v1 (just before an ID3v1 tag), and ID3v2 with a
// footer, in any order and repeated. size() when there are none.
std::uint64_t TrailingTagsStart(ByteSource& bytes, std::uint64_t lowest);

}  // namespace kz
