// Runs the model tests under the user's locale (LC_ALL and friends), so that a rerun with a
// foreign locale shows any text that leans on the C or C++ global locale.

#include <gtest/gtest.h>

#include <clocale>
#include <locale>

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    try {
        std::locale::global(std::locale(""));
    } catch (const std::exception&) {
        // An unknown locale name leaves "C", which is what the texts must match anyway.
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
