#include <gtest/gtest.h>

#include "support/fake_services.h"
#include "support/scripted_reader.h"
#include "vantrel/reader/binding_table.h"
#include "vantrel/reader/reader_library.h"
#include "vantrel/toolkit/result_report.h"

TEST(ReaderBinding, LibraryMissingARequiredOrdinalDoesNotLoad) {
    ReaderLibrary library;
    ReaderModule module;
    EXPECT_FALSE(module.Load(L"ReaderNoRequest.dll", library));
    EXPECT_FALSE(module.IsLoaded());
    EXPECT_FALSE(library.rf_request.IsBound());
    EXPECT_FALSE(library.lib_ver.IsBound());  // nothing half-bound stays behind
}

TEST(ReaderBinding, LibraryMissingOnlyOptionalOrdinalsLoadsAndReportsTheirCalls) {
    ReaderLibrary library;
    ReaderModule module;
    ASSERT_TRUE(module.Load(L"ReaderNoOptional.dll", library));
    EXPECT_TRUE(library.rf_request.IsBound());
    EXPECT_FALSE(library.rf_DESFire_rst.IsBound());
    EXPECT_FALSE(library.rf_transceive1.IsBound());
    EXPECT_FALSE(library.SRF55V_Inventorys.IsBound());
    EXPECT_FALSE(library.SRI64_Write.IsBound());

    // A call site of an absent function logs and reports it like a failure.
    ReaderConnection connection;
    connection.open = true;
    FakeServices services;
    PanelContext context{library, connection, services};
    Command cmd(context, nullptr);
    uint8_t answer[1024];
    uint8_t length = 0;
    EXPECT_FALSE(cmd.Call(library.rf_DESFire_rst, 0, 0x52, answer, &length));
    ASSERT_EQ(services.log.size(), 1u);
    EXPECT_EQ(services.log[0], (FakeServices::LogLine{L"rf_DESFire_rst", kStatusNotBound}));
    EXPECT_EQ(services.status, L"Error: fffffffe ,function: rf_DESFire_rst");
    EXPECT_EQ(services.beeps, 1);
}

TEST(ReaderBinding, MissingLibraryDoesNotLoad) {
    ReaderLibrary library;
    ReaderModule module;
    EXPECT_FALSE(module.Load(L"NoSuchReader.dll", library));
}

TEST(ReaderBinding, RealLibraryExportsEveryBoundOrdinal) {
    HMODULE kelvar = LoadLibraryW(L"Kelvar.dll");
    ASSERT_NE(kelvar, nullptr);
    for (const BoundOrdinal& entry : BindingTable()) {
        EXPECT_NE(GetProcAddress(kelvar, MAKEINTRESOURCEA(entry.ordinal)), nullptr)
            << "ordinal " << entry.ordinal;
    }
    FreeLibrary(kelvar);

    ReaderLibrary library;
    ReaderModule module;
    EXPECT_TRUE(module.Load(L"Kelvar.dll", library));
}
