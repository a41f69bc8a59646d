#pragma once

// Everything the program sets on the application object before its window
// exists: names, icon, style, the Japanese font and Qt's Japanese texts, and no
// settings files. Called by main() and by the window's tests alike.
void SetUpApplication();
