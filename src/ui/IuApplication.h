#pragma once

#include <QString>

// The one interface through which the skinned controls reach the application controller;
// the controls never name the controller's class.
namespace zelto {

class IuApplication {
public:
    virtual ~IuApplication() = default;
    virtual void StartGame() = 0;
    virtual void CloseLauncher() = 0;
    virtual void ShowNewAccount() = 0;
    virtual void ShowChangePwd() = 0;
    virtual void ShowGetBackPwd() = 0;
    virtual void OpenURL(const QString &address) = 0;
    virtual void ShowSettings() = 0;
    virtual void OpenRepair() = 0;
    virtual void ToggleResolutionDropDown() = 0;
    virtual void ShowPhoneReg() = 0;
    virtual void SetLoginPasswd() = 0;
    virtual void LoginQueryQQandWXUrl(int kind) = 0; // 2 QQ, 1 WeChat
    virtual void Start360() = 0;
};

// Set while the controller exists; every control checks it before use.
extern IuApplication *g_ClientApp;

} // namespace zelto
