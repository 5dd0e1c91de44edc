// Replacing a file's content all at once.
#pragma once

#include "Classes.h"

// Writes the stream to a new file beside the target, commits it to disk and
// moves it over the target in one step. On failure the new file is removed,
// the target keeps its previous content, and the error is raised.
void WriteFileReplacing(TCustomMemoryStream& stream, const AnsiString& target);
