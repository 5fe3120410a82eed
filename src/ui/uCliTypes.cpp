#include "ui/uCliTypes.h"

#include <QHash>

#include <functional>

namespace zelto {

IuApplication *g_ClientApp = nullptr;

namespace {

using Factory = std::function<TuControl *(QWidget *parent)>;

struct Registry {
    QStringList names;
    QHash<QString, Factory> factories;

    void Add(const char *name, Factory factory)
    {
        names.append(QString::fromLatin1(name));
        factories.insert(names.last(), std::move(factory));
    }
};

Registry &TheRegistry()
{
    static Registry registry;
    return registry;
}

template <typename T>
Factory Make()
{
    return [](QWidget *parent) -> TuControl * { return new T(parent); };
}

Factory MakeButton(const char *name, TButtonAction action)
{
    return [name, action](QWidget *parent) -> TuControl * { return new TuImageButton(parent, name, action); };
}

} // namespace

void RegisterSkinClasses()
{
    Registry &registry = TheRegistry();
    if (!registry.names.isEmpty())
        return;
    const auto button = [&registry](const char *name, TButtonAction action) {
        registry.Add(name, MakeButton(name, action));
    };
    button("TuImageButton", TButtonAction::None);
    registry.Add("TuURLButton", Make<TuURLButton>());
    button("TuStartBtton", TButtonAction::StartGame);
    button("TuMinimizeButton", TButtonAction::Minimize);
    button("TuCloseButton", TButtonAction::CloseLauncher);
    button("TuConfigButton", TButtonAction::ShowSettings);
    button("TuRegisterButton", TButtonAction::ShowNewAccount);
    button("TuChangePassButton", TButtonAction::ShowChangePwd);
    button("TuGetBackPassButton", TButtonAction::ShowGetBackPwd);
    registry.Add("TuWebBrowser", Make<TuWebBrowser>());
    registry.Add("TuCurProgressBar", Make<TuCurProgressBar>());
    registry.Add("TuAllProgressBar", Make<TuAllProgressBar>());
    registry.Add("TuLable", Make<TuLable>());
    registry.Add("TuInfLable", Make<TuInfLable>());
    registry.Add("TuImage", Make<TuImage>());
    registry.Add("TuTreeView", Make<TuTreeView>());
    registry.Add("TuServerCombobox", Make<TuServerCombobox>());
    registry.Add("TuResolutionCombobox", Make<TuResolutionCombobox>());
    button("TuResolutionButton", TButtonAction::ToggleResolution);
    button("TuRepairButton", TButtonAction::OpenRepair);
    registry.Add("TuForm", [](QWidget *parent) -> TuControl * {
        auto *form = new TuForm(parent);
        form->setWindowFlags(Qt::Widget); // inside a skin it is a panel of its window
        return form;
    });
    registry.Add("TuIDEdit", Make<TuIDEdit>());
    registry.Add("TuPWEdit", Make<TuPWEdit>());
    registry.Add("TuPhoneBtn", Make<TuPhoneBtn>());
    button("TuPhoneRepairButton", TButtonAction::ShowPhoneReg);
    registry.Add("TLoginExchange", Make<TLoginExchange>());
    button("TuQQBtton", TButtonAction::QQLogin);
    button("TuWeiXinBtton", TButtonAction::WeChatLogin);
    button("Tu360Btton", TButtonAction::Start360);
}

QStringList RegisteredSkinClasses() { return TheRegistry().names; }

TuControl *CreateSkinControl(const QString &className, QWidget *parent)
{
    const auto found = TheRegistry().factories.constFind(className);
    return found == TheRegistry().factories.constEnd() ? nullptr : (*found)(parent);
}

} // namespace zelto
