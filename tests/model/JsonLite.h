#pragma once
// A strict little JSON reader for checking the tool's output: objects, arrays, strings (UTF-8,
// escapes decoded), numbers, true, false and null. Returns false on anything malformed.

#include <charconv>
#include <string>
#include <string_view>
#include <vector>

struct TJson {
    enum { Null, Bool, Number, String, Array, Object } Kind = Null;
    bool B = false;
    double N = 0;
    std::string S;
    std::vector<TJson> A;
    std::vector<std::pair<std::string, TJson>> O;

    const TJson* Find(std::string_view Key) const {
        for (const auto& [K, V] : O)
            if (K == Key) return &V;
        return nullptr;
    }
};

class TJsonReader {
public:
    explicit TJsonReader(std::string_view Text) : T(Text) {}

    bool ReadDocument(TJson& Out) {
        if (!ReadValue(Out)) return false;
        SkipSpace();
        return P == T.size();
    }

private:
    void SkipSpace() {
        while (P < T.size() && (T[P] == ' ' || T[P] == '\t' || T[P] == '\n' || T[P] == '\r'))
            ++P;
    }

    bool Literal(std::string_view Word) {
        if (T.substr(P, Word.size()) != Word) return false;
        P += Word.size();
        return true;
    }

    bool ReadValue(TJson& V) {
        SkipSpace();
        if (P >= T.size()) return false;
        const char C = T[P];
        if (C == '{') return ReadObject(V);
        if (C == '[') return ReadArray(V);
        if (C == '"') {
            V.Kind = TJson::String;
            return ReadString(V.S);
        }
        if (Literal("true")) return V.Kind = TJson::Bool, V.B = true, true;
        if (Literal("false")) return V.Kind = TJson::Bool, true;
        if (Literal("null")) return true;
        return ReadNumber(V);
    }

    bool ReadNumber(TJson& V) {
        size_t End = P;
        if (End < T.size() && T[End] == '-') ++End;
        const size_t Digits = End;
        while (End < T.size() && T[End] >= '0' && T[End] <= '9')
            ++End;
        if (End == Digits || (T[Digits] == '0' && End - Digits > 1)) return false;
        if (End < T.size() && T[End] == '.') {
            const size_t Fraction = ++End;
            while (End < T.size() && T[End] >= '0' && T[End] <= '9')
                ++End;
            if (End == Fraction) return false;
        }
        if (End < T.size() && (T[End] == 'e' || T[End] == 'E')) {
            ++End;
            if (End < T.size() && (T[End] == '+' || T[End] == '-')) ++End;
            const size_t Exponent = End;
            while (End < T.size() && T[End] >= '0' && T[End] <= '9')
                ++End;
            if (End == Exponent) return false;
        }
        const auto Result = std::from_chars(T.data() + P, T.data() + End, V.N);
        if (Result.ec != std::errc{} || Result.ptr != T.data() + End) return false;
        V.Kind = TJson::Number;
        P = End;
        return true;
    }

    static void AppendUtf8(std::string& S, char32_t C) {
        if (C < 0x80) {
            S += static_cast<char>(C);
        } else if (C < 0x800) {
            S += static_cast<char>(0xC0 | (C >> 6));
            S += static_cast<char>(0x80 | (C & 0x3F));
        } else if (C < 0x10000) {
            S += static_cast<char>(0xE0 | (C >> 12));
            S += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
            S += static_cast<char>(0x80 | (C & 0x3F));
        } else {
            S += static_cast<char>(0xF0 | (C >> 18));
            S += static_cast<char>(0x80 | ((C >> 12) & 0x3F));
            S += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
            S += static_cast<char>(0x80 | (C & 0x3F));
        }
    }

    bool ReadHex4(char32_t& C) {
        if (P + 4 > T.size()) return false;
        unsigned Value = 0;
        const auto Result = std::from_chars(T.data() + P, T.data() + P + 4, Value, 16);
        if (Result.ptr != T.data() + P + 4) return false;
        C = Value;
        P += 4;
        return true;
    }

    bool ReadString(std::string& S) {
        ++P;
        while (P < T.size()) {
            const auto C = static_cast<unsigned char>(T[P++]);
            if (C == '"') return true;
            if (C < 0x20) return false;
            if (C != '\\') {
                S += static_cast<char>(C);
                continue;
            }
            if (P >= T.size()) return false;
            const char E = T[P++];
            switch (E) {
            case '"':
                S += '"';
                break;
            case '\\':
                S += '\\';
                break;
            case '/':
                S += '/';
                break;
            case 'b':
                S += '\b';
                break;
            case 'f':
                S += '\f';
                break;
            case 'n':
                S += '\n';
                break;
            case 'r':
                S += '\r';
                break;
            case 't':
                S += '\t';
                break;
            case 'u': {
                char32_t U = 0;
                if (!ReadHex4(U)) return false;
                if (U >= 0xD800 && U <= 0xDBFF) {
                    char32_t Low = 0;
                    if (!Literal("\\u") || !ReadHex4(Low) || Low < 0xDC00 || Low > 0xDFFF)
                        return false;
                    U = 0x10000 + ((U - 0xD800) << 10) + (Low - 0xDC00);
                }
                AppendUtf8(S, U);
                break;
            }
            default:
                return false;
            }
        }
        return false;
    }

    bool ReadArray(TJson& V) {
        V.Kind = TJson::Array;
        ++P;
        SkipSpace();
        if (P < T.size() && T[P] == ']') return ++P, true;
        while (true) {
            TJson Item;
            if (!ReadValue(Item)) return false;
            V.A.push_back(std::move(Item));
            SkipSpace();
            if (P >= T.size()) return false;
            if (T[P] == ']') return ++P, true;
            if (T[P++] != ',') return false;
        }
    }

    bool ReadObject(TJson& V) {
        V.Kind = TJson::Object;
        ++P;
        SkipSpace();
        if (P < T.size() && T[P] == '}') return ++P, true;
        while (true) {
            SkipSpace();
            std::string Key;
            if (P >= T.size() || T[P] != '"' || !ReadString(Key)) return false;
            SkipSpace();
            if (P >= T.size() || T[P++] != ':') return false;
            TJson Item;
            if (!ReadValue(Item)) return false;
            V.O.emplace_back(std::move(Key), std::move(Item));
            SkipSpace();
            if (P >= T.size()) return false;
            if (T[P] == '}') return ++P, true;
            if (T[P++] != ',') return false;
        }
    }

    std::string_view T;
    size_t P = 0;
};
