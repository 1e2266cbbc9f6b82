#pragma once
// How the keyboard should behave for a text input (the platform's UITextInputTraits): plain
// settings that text fields and text views carry for the host's keyboard.

namespace ov::ui {

// The platform's values.
enum UIKeyboardType : long {
    UIKeyboardTypeDefault = 0,
    UIKeyboardTypeASCIICapable = 1,
    UIKeyboardTypeNumbersAndPunctuation = 2,
    UIKeyboardTypeURL = 3,
    UIKeyboardTypeNumberPad = 4,
    UIKeyboardTypePhonePad = 5,
    UIKeyboardTypeNamePhonePad = 6,
    UIKeyboardTypeEmailAddress = 7,
    UIKeyboardTypeDecimalPad = 8,
    UIKeyboardTypeTwitter = 9,
    UIKeyboardTypeWebSearch = 10,
};

enum UIReturnKeyType : long {
    UIReturnKeyDefault = 0,
    UIReturnKeyGo = 1,
    UIReturnKeyGoogle = 2,
    UIReturnKeyJoin = 3,
    UIReturnKeyNext = 4,
    UIReturnKeyRoute = 5,
    UIReturnKeySearch = 6,
    UIReturnKeySend = 7,
    UIReturnKeyYahoo = 8,
    UIReturnKeyDone = 9,
    UIReturnKeyEmergencyCall = 10,
    UIReturnKeyContinue = 11,
};

enum UITextAutocapitalizationType : long {
    UITextAutocapitalizationTypeNone = 0,
    UITextAutocapitalizationTypeWords = 1,
    UITextAutocapitalizationTypeSentences = 2,
    UITextAutocapitalizationTypeAllCharacters = 3,
};

enum UITextAutocorrectionType : long {
    UITextAutocorrectionTypeDefault = 0,
    UITextAutocorrectionTypeNo = 1,
    UITextAutocorrectionTypeYes = 2,
};

enum UIKeyboardAppearance : long {
    UIKeyboardAppearanceDefault = 0,
    UIKeyboardAppearanceDark = 1,
    UIKeyboardAppearanceLight = 2,
};

class TextInputTraits {
  public:
    UIKeyboardType keyboardType() const { return m_keyboardType; }
    void setKeyboardType(UIKeyboardType type) { m_keyboardType = type; }
    UIReturnKeyType returnKeyType() const { return m_returnKeyType; }
    void setReturnKeyType(UIReturnKeyType type) { m_returnKeyType = type; }
    UITextAutocapitalizationType autocapitalizationType() const { return m_autocapitalization; }
    void setAutocapitalizationType(UITextAutocapitalizationType type) {
        m_autocapitalization = type;
    }
    UITextAutocorrectionType autocorrectionType() const { return m_autocorrection; }
    void setAutocorrectionType(UITextAutocorrectionType type) { m_autocorrection = type; }
    UIKeyboardAppearance keyboardAppearance() const { return m_keyboardAppearance; }
    void setKeyboardAppearance(UIKeyboardAppearance appearance) {
        m_keyboardAppearance = appearance;
    }
    bool enablesReturnKeyAutomatically() const { return m_enablesReturnKeyAutomatically; }
    void setEnablesReturnKeyAutomatically(bool enables) {
        m_enablesReturnKeyAutomatically = enables;
    }
    bool isSecureTextEntry() const { return m_secureTextEntry; }
    // Virtual: a text field draws its text as dots when this is on.
    virtual void setSecureTextEntry(bool secure) { m_secureTextEntry = secure; }

  protected:
    TextInputTraits() = default;
    virtual ~TextInputTraits() = default;

  private:
    UIKeyboardType m_keyboardType = UIKeyboardTypeDefault;
    UIReturnKeyType m_returnKeyType = UIReturnKeyDefault;
    UITextAutocapitalizationType m_autocapitalization = UITextAutocapitalizationTypeSentences;
    UITextAutocorrectionType m_autocorrection = UITextAutocorrectionTypeDefault;
    UIKeyboardAppearance m_keyboardAppearance = UIKeyboardAppearanceDefault;
    bool m_enablesReturnKeyAutomatically = false;
    bool m_secureTextEntry = false;
};

}  // namespace ov::ui
