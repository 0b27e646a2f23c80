#pragma once
// Playing the nine strings from the keyboard: which key strikes which string on which channel,
// the harmonic multipliers of the modifier keys, held and melodic manners.

#include <array>
#include <cstdint>

struct TModifiers {
    bool Shift = false;
    bool CapsLock = false;
    bool Ctrl = false;
};

// What the player needs of the window, read at the moment of each key.
class IPlayingSeam {
public:
    virtual ~IPlayingSeam() = default;
    virtual double Frequency(int32_t L) const = 0; // string 0..8, in hertz
    virtual bool FromMese() const = 0;
    virtual bool Melodic() const = 0;
};

class TKeyPlayer {
public:
    // Virtual-key codes of the main-row digits: key 9 is string 0, key 1 string 8.
    static constexpr uint16_t FirstKey = 0x31;
    static constexpr uint16_t LastKey = 0x39;

    explicit TKeyPlayer(const IPlayingSeam& Seam) : Seam(Seam) {}

    // Key is 0x31..0x39 for the digits 1..9 of the main row; any other value is another key.
    void EPlayKeyDown(uint16_t Key, TModifiers Modifiers);
    void EPlayKeyUp(uint16_t Key);
    void StopString(uint8_t L);
    void CBInstrumenteClick(int32_t SelectedIndex);
    // Closes the synthesizer and forgets every sounding string, as any non-playing key does.
    void Silence();

    const std::array<bool, 9>& TonEin() const { return Ton; }

private:
    const IPlayingSeam& Seam;
    std::array<bool, 9> Ton{};
};
