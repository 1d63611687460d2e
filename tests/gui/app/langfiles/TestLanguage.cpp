// A language file with one text: the first tab's title.
#include "ZelvorLanguage.h"

#ifndef TEST_ID
#define TEST_ID 1036
#endif

extern "C" {

unsigned short GetLanguage(void) {
    return TEST_ID;
}

const char* GetLanguageStr(void) {
    return TEST_NAME;
}

#ifndef TEST_NO_STRINGS
const char* GetString(int id) {
    return id == 2209 ? TEST_TAB : nullptr;
}
#endif

} // extern "C"
