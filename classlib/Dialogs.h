// Message boxes and the folder chooser.
#pragma once

#include "System.h"

// A plain modal message box: the application title, no icon, one OK button.
void ShowMessage(const String& text);

// The shell's folder chooser. On entry directory is the folder to select first
// (when it exists); on confirmation it holds the chosen folder's path.
bool SelectDirectory(const String& caption, AnsiString& directory);
