// The 48-page tag with a triple-DES key: the 42-page layout, AUTH0 on page 42
// (first protected page), AUTH1 on page 43 (bit 0 set: only writes need the
// authentication; clear: reads too), the key on pages 44-47. Pages 0-43 can
// be read; the key pages can be written but never read.
#pragma once

#include <string>

#include "kelvar/cards/ultralight_c_auth.h"
#include "kelvar/cards/ultralight_family.h"
#include "kelvar/crypto/random_bytes.h"

namespace kelvar {

class UltralightCTag : public UltralightFamilyTag, public UltralightCAuthTarget {
public:
    static constexpr size_t kPages = 48;
    static constexpr unsigned kReadablePages = 44;
    static constexpr unsigned kAuth0Page = 42;
    static constexpr unsigned kAuth1Page = 43;
    static constexpr unsigned kKeyPage = 44;
    static constexpr TagUid kDefaultUid = {0x5A, 0x37, 0x0D, 0x9B, 0x62, 0xE4, 0x18};
    static constexpr const char* kDefaultImageName = "ultralight_c.img";
    // The factory key as typed (K1 then K2). Stored halves reversed, its key
    // pages spell "BREAKMEIFYOUCAN!".
    static constexpr UltralightCKey kFactoryKey = {0x49, 0x45, 0x4D, 0x4B, 0x41, 0x45, 0x52, 0x42,
                                                   0x21, 0x4E, 0x41, 0x43, 0x55, 0x4F, 0x59, 0x46};

    // `random` draws the tag's challenges.
    explicit UltralightCTag(ImageStore& store, std::string imageName = kDefaultImageName,
                            const TagUid& uid = kDefaultUid, RandomBytes random = SystemRandomBytes());

    // Factory state: nothing protected (AUTH0 0x30), AUTH1 0, the factory
    // key, lock bytes, OTP, counter and data zero.
    static Bytes FactoryImage(const TagUid& uid);

    Status StartAuthentication(DesBlock& challenge) override;
    Status FinishAuthentication(const UltralightCResponse& response, DesBlock& answer) override;

    bool IsAuthenticated() const { return authenticated_; }

private:
    Status OnAuthenticateTripleDes(const uint8_t* key, const RandomBytes& readerRandom) override;
    // Writes the 16-byte key (as typed) to the key pages: all four pages or
    // none, under the same lock and authentication rules as page writes.
    Status OnChangeTripleDesKey(const uint8_t* key) override;
    Status ReadableEnd(unsigned page, unsigned& end) const override;
    Status ApplyWrite(unsigned page, const uint8_t* data, Bytes& image) override;
    void EndSession() override;

    TripleDes Cipher() const;

    RandomBytes random_;
    bool authenticated_ = false;
    bool challengeSent_ = false;
    DesBlock rndB_{};
    DesBlock challenge_{};
};

}  // namespace kelvar
