#include "store/crypto/blowfish.h"

#include "store/crypto/blowfishtables.h"

#include <utility>

namespace {

std::uint32_t loadHalf(const unsigned char *p, Blowfish::HalfOrder order)
{
    if (order == Blowfish::HalfOrder::BigEndian)
        return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
    return std::uint32_t(p[3]) << 24 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
}

void storeHalf(unsigned char *p, std::uint32_t v, Blowfish::HalfOrder order)
{
    for (int i = 0; i < 4; ++i) {
        const int shift = order == Blowfish::HalfOrder::BigEndian ? 24 - 8 * i : 8 * i;
        p[i] = static_cast<unsigned char>(v >> shift);
    }
}

} // namespace

Blowfish::Blowfish(QByteArrayView key)
{
    for (int i = 0; i < 18; ++i)
        m_p[i] = kBlowfishInitP[i];
    for (int b = 0; b < 4; ++b)
        for (int i = 0; i < 256; ++i)
            m_s[b][i] = kBlowfishInitS[b][i];

    qsizetype j = 0;
    for (auto &p : m_p) {
        std::uint32_t data = 0;
        for (int k = 0; k < 4; ++k) {
            data = data << 8 | (key.isEmpty() ? 0u : static_cast<unsigned char>(key[j]));
            if (!key.isEmpty())
                j = (j + 1) % key.size();
        }
        p ^= data;
    }

    std::uint32_t left = 0, right = 0;
    for (int i = 0; i < 18; i += 2) {
        encrypt(left, right);
        m_p[i] = left;
        m_p[i + 1] = right;
    }
    for (auto &box : m_s) {
        for (int i = 0; i < 256; i += 2) {
            encrypt(left, right);
            box[i] = left;
            box[i + 1] = right;
        }
    }
}

std::uint32_t Blowfish::f(std::uint32_t x) const
{
    return ((m_s[0][x >> 24] + m_s[1][(x >> 16) & 0xff]) ^ m_s[2][(x >> 8) & 0xff]) + m_s[3][x & 0xff];
}

void Blowfish::encrypt(std::uint32_t &left, std::uint32_t &right) const
{
    std::uint32_t l = left, r = right;
    for (int i = 0; i < 16; ++i) {
        l ^= m_p[i];
        r ^= f(l);
        std::swap(l, r);
    }
    std::swap(l, r);
    r ^= m_p[16];
    l ^= m_p[17];
    left = l;
    right = r;
}

void Blowfish::decrypt(std::uint32_t &left, std::uint32_t &right) const
{
    std::uint32_t l = left, r = right;
    for (int i = 17; i > 1; --i) {
        l ^= m_p[i];
        r ^= f(l);
        std::swap(l, r);
    }
    std::swap(l, r);
    r ^= m_p[1];
    l ^= m_p[0];
    left = l;
    right = r;
}

void Blowfish::encryptBlock(unsigned char *block, HalfOrder order) const
{
    std::uint32_t l = loadHalf(block, order), r = loadHalf(block + 4, order);
    encrypt(l, r);
    storeHalf(block, l, order);
    storeHalf(block + 4, r, order);
}

void Blowfish::decryptBlock(unsigned char *block, HalfOrder order) const
{
    std::uint32_t l = loadHalf(block, order), r = loadHalf(block + 4, order);
    decrypt(l, r);
    storeHalf(block, l, order);
    storeHalf(block + 4, r, order);
}
