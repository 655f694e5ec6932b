#pragma once

// Every caption of the program is Chinese, so Qt's own texts (the standard
// buttons 是, 否 and 確定, the print, page-setup and file dialogs) and the
// program's few own texts that are not designed captions are made Traditional
// Chinese too, whatever language the computer is set to. Call it once the
// application exists and before any window is made. Returns false when Qt's
// Chinese texts are not installed (Debian's qt6-translations-l10n): Qt then
// speaks English and the program works on.
bool InstallChineseTranslations();
