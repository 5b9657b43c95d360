#pragma once

#include <QByteArrayView>

#include <array>
#include <cstdint>

// The Blowfish block cipher: 64-bit blocks, keys of 1 to 56 bytes, 16 rounds.
class Blowfish
{
public:
    explicit Blowfish(QByteArrayView key);

    void encrypt(std::uint32_t &left, std::uint32_t &right) const;
    void decrypt(std::uint32_t &left, std::uint32_t &right) const;

    enum class HalfOrder { BigEndian, LittleEndian };
    // One 8-byte block in place; each 32-bit half is read and written in the given order.
    void encryptBlock(unsigned char *block, HalfOrder order) const;
    void decryptBlock(unsigned char *block, HalfOrder order) const;

private:
    std::uint32_t f(std::uint32_t x) const;

    std::array<std::uint32_t, 18> m_p;
    std::array<std::array<std::uint32_t, 256>, 4> m_s;
};
