#pragma once

#include "app/LocalSettings.h"
#include "app/uLogin.h"
#include "support/FakeDisplay.h"
#include "support/LocalState.h"
#include "support/RecordingNotifier.h"
#include "support/SkinTree.h"
#include "ui/SkinBuilder.h"
#include "ui/uMainFrm.h"
#include "ui/uSplashFrm.h"

#include <gtest/gtest.h>

#include <memory>

namespace zelto::testing {

inline const QString kLauncherTitle = QStringLiteral(u"界面测试");

// The launcher's windows around a skin written in code: a controller (its start-up pass
// held back), the shadow window and the main window, on a display of the chosen depth, with
// the test's own temporary folder for the settings files.
class LauncherFixture : public ::testing::Test {
protected:
    explicit LauncherFixture(int displayDepth = 32)
        : display(displayDepth)
    {
    }
    ~LauncherFixture() override { CloseLauncher(); }

    static TLauncherConfiguration Configuration()
    {
        TLauncherConfiguration record;
        record.sTitle.SetText(kLauncherTitle);
        record.ServerListURL.SetText(QStringLiteral("local"));
        record.nGMChannel = 7;
        return record;
    }

    void Open(const TComponentNode &skin, bool withController = true)
    {
        if (withController)
            app = std::make_unique<TuClientApp>(Configuration());
        shadow = std::make_unique<TSplashForm_Login_ZeltoPrime>(app.get());
        main = new TMainForm(*shadow, app.get());
        shadow->SetMainForm(main);
        shadow->show();
        main->FormCreate([&skin, this](TuCustomForm &window) { counts = ReadComponentTree(window, skin); });
        if (app)
            app->FTimer.stop(); // the start-up pass runs only where a test asks for it
    }

    void CloseLauncher()
    {
        shadow.reset();
        app.reset();
    }

    template <typename T>
    T *Find(const char *name) const
    {
        return main->findChild<T *>(QString::fromLatin1(name));
    }

    ScopedLocalState state;
    FakeDisplay display;
    RecordingNotifier notifier;
    std::unique_ptr<TuClientApp> app;
    std::unique_ptr<TSplashForm_Login_ZeltoPrime> shadow;
    TMainForm *main = nullptr;
    TSkinReadCounts counts;
};

} // namespace zelto::testing
