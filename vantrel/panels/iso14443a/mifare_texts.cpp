#include "vantrel/panels/iso14443a/mifare_texts.h"

#include "vantrel/panels/iso14443a/mifare_shared_ids.h"

namespace {

using namespace mifare_text;

constexpr Caption kShared[] = {
    {IDC_MF_SEARCH, kRequest},
    {IDC_MF_PURSE_GROUP, kPurse},
    {IDC_MF_PURSE_SECTOR_LABEL, kSector},
    {IDC_MF_PURSE_BLOCK_LABEL, kBlock},
    {IDC_MF_PURSE_USE_KEY_A, kKeyA},
    {IDC_MF_PURSE_USE_KEY_B, kKeyB},
    {IDC_MF_PURSE_KEY_LABEL, kKey},
    {IDC_MF_VALUE_DEC_LABEL, kValueDec},
    {IDC_MF_INITIALIZE, kInitialize},
    {IDC_MF_INCREMENT, kIncrement},
    {IDC_MF_DECREMENT, kDecrement},
    {IDC_MF_BALANCE, kBalance},
    {IDC_MF_GROUP1, kWindow},
    {IDC_MF_SECTOR_LABEL1, kSector},
    {IDC_MF_BLOCK_LABEL1, kBlock},
    {IDC_MF_KEY_LABEL1, kKey},
    {IDC_MF_USE_KEY_A1, kKeyA},
    {IDC_MF_USE_KEY_B1, kKeyB},
    {IDC_MF_READ1, kReadSector},
    {IDC_MF_WRITE1, kWriteBlock},
    {IDC_MF_GROUP2, kWindow},
    {IDC_MF_SECTOR_LABEL2, kSector},
    {IDC_MF_BLOCK_LABEL2, kBlock},
    {IDC_MF_KEY_LABEL2, kKey},
    {IDC_MF_USE_KEY_A2, kKeyA},
    {IDC_MF_USE_KEY_B2, kKeyB},
    {IDC_MF_READ2, kReadSector},
    {IDC_MF_WRITE2, kWriteBlock},
};

}  // namespace

std::span<const Caption> MifareSharedCaptions() { return kShared; }
