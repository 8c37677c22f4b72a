// The fixture of the basket window and export tests: a program folder of the test's own (where the basket
// lives), Chinese, no queued answers, and the basket file written and read back.
#pragma once

#include "Fixtures.h"
#include "ModExplor.h"
#include "TestSupport.h"
#include "basket/BasketStore.h"
#include "startup/Dialogs.h"

#include <gtest/gtest.h>

class BasketTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ModExplor::SetProgramFolder(program.path());
        ModExplor::LanguageFlag = QVariant();
        Dialogs::Script::Clear();
    }
    void TearDown() override
    {
        Dialogs::Script::Clear();
        ModExplor::LanguageFlag = QVariant();
    }

    void Write(const QVector<Fixtures::BasketLine>& lines) { Fixtures::WriteBasket(BasketStore::BasketPath(), lines); }
    QVector<Fixtures::BasketLine> Stored() { return Fixtures::ReadBasket(BasketStore::BasketPath()); }

    TestSupport::ScratchDir program;
};
