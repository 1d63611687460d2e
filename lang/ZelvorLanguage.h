/* The interface of a Zelvor Log Viewer language file.
 *
 * A language file is a shared library (*.so) placed where the viewer looks for its languages:
 * the folder named by $ZELVOR_LANG_DIR, else <prefix>/lib/zelvor-log-viewer/lang of an installed
 * viewer, else the viewer's own folder. It exports these three functions with C linkage:
 *
 *   GetLanguage     the language's 16-bit Windows language identifier (1031 German, 1036
 *                   French, ...); 1033 is the viewer's own English and is never loaded.
 *   GetLanguageStr  the language's name as its speakers write it, UTF-8, shown in
 *                   Tools > Select Language.
 *   GetString       the UTF-8 text for a string-table number, or a null pointer when the file
 *                   has none; the viewer then shows its built-in English for that number.
 *
 * Returned pointers must stay valid while the library is loaded (string literals are). A
 * library missing any of the three is not a language file and is not offered.
 *
 * Texts that are printf formats must keep their directives (%d, %.2f, %s, %%) in the same
 * number, order and type as the English; the viewer falls back to English for a text whose
 * directives differ. Numbers keep the decimal point: the viewer formats them itself. */
#ifndef ZELVOR_LANGUAGE_H
#define ZELVOR_LANGUAGE_H

#if defined(_WIN32)
#define ZELVOR_LANGUAGE_EXPORT __declspec(dllexport)
#else
#define ZELVOR_LANGUAGE_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

ZELVOR_LANGUAGE_EXPORT unsigned short GetLanguage(void);
ZELVOR_LANGUAGE_EXPORT const char* GetLanguageStr(void);
ZELVOR_LANGUAGE_EXPORT const char* GetString(int id);

#ifdef __cplusplus
}
#endif

/* The names the viewer resolves, for loaders written in C. */
#define ZELVOR_LANGUAGE_ID_SYMBOL "GetLanguage"
#define ZELVOR_LANGUAGE_NAME_SYMBOL "GetLanguageStr"
#define ZELVOR_LANGUAGE_STRING_SYMBOL "GetString"

#endif
