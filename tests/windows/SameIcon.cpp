// Checks that two program files carry the same icon, as Windows Explorer reads it: the first icon
// group of each, with the same images, byte for byte (their order and resource numbers aside).
//   SameIcon FIRST.exe SECOND.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {
std::wstring Wide(const char* Text) {
    std::wstring W;
    for (; *Text; ++Text)
        W += static_cast<wchar_t>(static_cast<unsigned char>(*Text));
    return W;
}

#pragma pack(push, 2)
struct TGroupEntry {
    BYTE Width, Height, Colours, Reserved;
    WORD Planes, BitCount;
    DWORD Bytes;
    WORD Id;
};
#pragma pack(pop)

std::string Resource(HMODULE File, LPCWSTR Name, LPCWSTR Type) {
    HRSRC Found = FindResourceW(File, Name, Type);
    HGLOBAL Loaded = Found ? LoadResource(File, Found) : nullptr;
    const char* Bytes = Loaded ? static_cast<const char*>(LockResource(Loaded)) : nullptr;
    return Bytes ? std::string(Bytes, SizeofResource(File, Found)) : std::string();
}

BOOL CALLBACK First(HMODULE, LPCWSTR, LPWSTR Name, LONG_PTR Found) {
    auto* Into = reinterpret_cast<std::wstring*>(Found);
    *Into = IS_INTRESOURCE(Name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(Name))
                                 : std::wstring(Name);
    return FALSE;
}

// The images of the first icon group, each with its size and depth, in a fixed order.
std::vector<std::string> Icon(const std::wstring& Program) {
    std::vector<std::string> Images;
    HMODULE File = LoadLibraryExW(Program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!File) return Images;
    std::wstring Group;
    EnumResourceNamesW(File, MAKEINTRESOURCEW(14), First, reinterpret_cast<LONG_PTR>(&Group));
    const std::string Directory =
        Group.empty() ? std::string() : Resource(File, Group.c_str(), MAKEINTRESOURCEW(14));
    if (Directory.size() >= 6) {
        const WORD Count = *reinterpret_cast<const WORD*>(Directory.data() + 4);
        for (WORD I = 0; I < Count && 6 + (I + 1) * sizeof(TGroupEntry) <= Directory.size(); ++I) {
            TGroupEntry Entry;
            std::memcpy(&Entry, Directory.data() + 6 + I * sizeof(TGroupEntry), sizeof Entry);
            const std::string Image =
                Resource(File, MAKEINTRESOURCEW(Entry.Id), MAKEINTRESOURCEW(3));
            Images.push_back(std::to_string(Entry.Width) + "x" + std::to_string(Entry.Height) +
                             "x" + std::to_string(Entry.BitCount) + ":" + Image);
        }
    }
    FreeLibrary(File);
    std::sort(Images.begin(), Images.end());
    return Images;
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: SameIcon FIRST.exe SECOND.exe\n", stderr);
        return 2;
    }
    const auto First = Icon(Wide(argv[1])), Second = Icon(Wide(argv[2]));
    if (First.empty() || Second.empty()) {
        std::fprintf(stderr, "no icon in %s\n", First.empty() ? argv[1] : argv[2]);
        return 1;
    }
    if (First != Second) {
        std::fprintf(stderr, "the icons differ: %zu and %zu images\n", First.size(), Second.size());
        return 1;
    }
    std::printf("the same icon: %zu images\n", First.size());
    return 0;
}
