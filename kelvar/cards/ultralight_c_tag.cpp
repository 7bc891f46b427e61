#include "kelvar/cards/ultralight_c_tag.h"

#include <algorithm>
#include <span>
#include <utility>

#include "kelvar/cards/ultralight_locks.h"

namespace kelvar {

namespace {

constexpr unsigned kPageSize = UltralightFamilyTag::kPageSize;
constexpr uint8_t kNothingProtected = 0x30;
// AUTH0 values below page 3 act as page 3: the UID and lock pages stay open.
constexpr unsigned kLowestProtectable = 3;

// The first page that needs the authentication, per AUTH0.
unsigned ProtectedFrom(const Bytes& image) {
    const unsigned auth0 = image[UltralightCTag::kAuth0Page * kPageSize];
    return std::clamp<unsigned>(auth0, kLowestProtectable, kNothingProtected);
}

bool ReadsProtected(const Bytes& image) { return (image[UltralightCTag::kAuth1Page * kPageSize] & 1) == 0; }

}  // namespace

UltralightCTag::UltralightCTag(ImageStore& store, std::string imageName, const TagUid& uid, RandomBytes random)
    : UltralightFamilyTag(store, std::move(imageName), FactoryImage(uid)),
      random_(random ? std::move(random) : SystemRandomBytes()) {}

Bytes UltralightCTag::FactoryImage(const TagUid& uid) {
    Bytes image = BlankImage(kPages, uid);
    image[kAuth0Page * kPageSize] = kNothingProtected;
    const UltralightCKey stored = UltralightCKeyPageOrder(kFactoryKey.data());
    std::copy(stored.begin(), stored.end(), image.begin() + kKeyPage * kPageSize);
    return image;
}

TripleDes UltralightCTag::Cipher() const {
    const UltralightCKey key = UltralightCKeyPageOrder(&Image()[kKeyPage * kPageSize]);
    return TripleDes(std::span<const uint8_t, kUltralightCKeySize>(key));
}

void UltralightCTag::EndSession() {
    authenticated_ = false;
    challengeSent_ = false;
}

Status UltralightCTag::StartAuthentication(DesBlock& challenge) {
    if (!IsActive()) return kNotSelected;
    EndSession();
    random_(rndB_);
    Cipher().EncryptCbc(DesBlock{}, rndB_, challenge);
    challenge_ = challenge;
    challengeSent_ = true;
    return kOk;
}

Status UltralightCTag::FinishAuthentication(const UltralightCResponse& response, DesBlock& answer) {
    if (!IsActive()) return kNotSelected;
    const bool expected = challengeSent_;
    challengeSent_ = false;
    if (!expected) {
        Drop();
        return kCardError;
    }
    const TripleDes cipher = Cipher();
    UltralightCResponse plain{};
    cipher.DecryptCbc(challenge_, response, plain);
    DesBlock rndA{}, rotatedB{};
    std::copy_n(plain.begin(), kDesBlockSize, rndA.begin());
    std::copy_n(plain.begin() + kDesBlockSize, kDesBlockSize, rotatedB.begin());
    if (rotatedB != RotateLeftOneByte(rndB_)) {
        Drop();  // a refused authentication sends the tag back
        return kAuthFailed;
    }
    cipher.EncryptCbc(std::span(response).last<kDesBlockSize>(), RotateLeftOneByte(rndA), answer);
    authenticated_ = true;
    return kOk;
}

Status UltralightCTag::OnAuthenticateTripleDes(const uint8_t* key, const RandomBytes& readerRandom) {
    return AuthenticateUltralightC(*this, key, readerRandom);
}

Status UltralightCTag::OnChangeTripleDesKey(const uint8_t* key) {
    const UltralightCKey stored = UltralightCKeyPageOrder(key);
    Bytes image = Image();
    for (unsigned i = 0; i < kUltralightCKeySize / kPageSize; ++i) {
        if (Status status = ApplyWrite(kKeyPage + i, &stored[i * kPageSize], image); status != kOk)
            return status;
    }
    return Commit(std::move(image));
}

Status UltralightCTag::ReadableEnd(unsigned page, unsigned& end) const {
    if (page >= kReadablePages) return kAccessDenied;
    end = kReadablePages;
    if (!authenticated_ && ReadsProtected(Image())) end = std::min(end, ProtectedFrom(Image()));
    return page < end ? kOk : kNotAuthenticated;
}

Status UltralightCTag::ApplyWrite(unsigned page, const uint8_t* data, Bytes& image) {
    if (!authenticated_ && page >= ProtectedFrom(image)) return kNotAuthenticated;
    if (page < 16) return ultralight::WriteLowerPage(image, page, data);
    return WriteUpperPage(page, data, image);
}

}  // namespace kelvar
