// The overlay's templates: which resource becomes which file below the host folder.
#pragma once

struct TemplateRow {
    const char* ResourceName;  // RCDATA name; the lookup ignores letter case
    const char* RelativePath;  // appended to the host folder as it stands
    const char* ProgressText;  // shown while the row is written
};

extern const TemplateRow TemplateTable[18];
