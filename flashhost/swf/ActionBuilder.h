#pragma once
// Assembler of AVM1 bytecode (the action records of DoAction tags, button
// conditions and functions). The host builds its frame-1 loader with it at run
// time, the tools build the actions of the demo movies with it.
//
// Strings are UTF-8 for movies of version 6 and above. Older movies keep text in
// the local code page: give the builder an encoder for it (platform::toGbk);
// without one such strings are written as Latin-1.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <cstddef>
#include <initializer_list>
#include <map>
#include <vector>

namespace swf {

using LegacyEncoder = QByteArray (*)(const QString&);

// Action codes, as the file format numbers them.
enum ActionCode : quint8 {
    kActionEnd = 0x00,
    kActionNextFrame = 0x04,
    kActionPrevFrame = 0x05,
    kActionPlay = 0x06,
    kActionStop = 0x07,
    kActionSubtract = 0x0B,
    kActionMultiply = 0x0C,
    kActionDivide = 0x0D,
    kActionNot = 0x12,
    kActionPop = 0x17,
    kActionGetVariable = 0x1C,
    kActionSetVariable = 0x1D,
    kActionTrace = 0x26,
    kActionDefineLocal = 0x3C,
    kActionCallFunction = 0x3D,
    kActionReturn = 0x3E,
    kActionNewObject = 0x40,
    kActionInitArray = 0x42,
    kActionInitObject = 0x43,
    kActionTypeOf = 0x44,
    kActionAdd2 = 0x47,
    kActionLess2 = 0x48,
    kActionEquals2 = 0x49,
    kActionPushDuplicate = 0x4C,
    kActionGetMember = 0x4E,
    kActionSetMember = 0x4F,
    kActionIncrement = 0x50,
    kActionDecrement = 0x51,
    kActionCallMethod = 0x52,
    kActionStrictEquals = 0x66,
    kActionGreater = 0x67,
    kActionGotoFrame = 0x81,
    kActionGetUrl = 0x83,
    kActionStoreRegister = 0x87,
    kActionConstantPool = 0x88,
    kActionDefineFunction2 = 0x8E,
    kActionPush = 0x96,
    kActionJump = 0x99,
    kActionGetUrl2 = 0x9A,
    kActionDefineFunction = 0x9B,
    kActionIf = 0x9D,
    kActionGotoFrame2 = 0x9F,
};

// Flags of DefineFunction2, as the 16-bit field holds them. Preloaded values take
// registers 1, 2, ... in the order this, arguments, super, _root, _parent, _global.
enum Function2Flag : quint16 {
    kPreloadThis = 0x0001,
    kSuppressThis = 0x0002,
    kPreloadArguments = 0x0004,
    kSuppressArguments = 0x0008,
    kPreloadSuper = 0x0010,
    kSuppressSuper = 0x0020,
    kPreloadRoot = 0x0040,
    kPreloadParent = 0x0080,
    kPreloadGlobal = 0x0100,
};

class ActionBuilder {
public:
    // One value of an ActionPush.
    class Value {
    public:
        Value(const QString& text) : kind_(Kind::Text), text_(text) {}
        Value(const char* utf8) : kind_(Kind::Text), text_(QString::fromUtf8(utf8)) {}
        Value(int i) : kind_(Kind::Integer), int_(i) {}
        Value(double d) : kind_(Kind::Double), double_(d) {}
        Value(bool b) : kind_(Kind::Boolean), int_(b ? 1 : 0) {}
        Value(std::nullptr_t) : kind_(Kind::Null) {}
        static Value undefined() { return Value(Kind::Undefined); }
        static Value reg(int n) {
            Value v(Kind::Register);
            v.int_ = n;
            return v;
        }
        // A string whose bytes are already in the movie's encoding.
        static Value bytes(const QByteArray& raw) {
            Value v(Kind::Bytes);
            v.raw_ = raw;
            return v;
        }

    private:
        friend class ActionBuilder;
        enum class Kind { Text, Bytes, Integer, Double, Boolean, Null, Undefined, Register };
        explicit Value(Kind k) : kind_(k) {}
        Kind kind_;
        QString text_;
        QByteArray raw_;
        qint64 int_ = 0;
        double double_ = 0;
    };

    // A branch target; mark() places it, jump()/ifTrue() refer to it before or after.
    struct Label {
        int id = -1;
    };

    // A parameter of DefineFunction2: in register `reg` (1..255), or by name when 0.
    struct RegisterParam {
        int reg = 0;
        QString name;
    };

    explicit ActionBuilder(int swfVersion = 8, LegacyEncoder legacy = nullptr);

    // An empty builder for a function body: same version, encoder and constant pool.
    ActionBuilder nested() const;

    int version() const { return version_; }
    // The bytes of a string as this builder writes it (without the terminating zero).
    QByteArray encode(const QString& text) const;

    // Emits an ActionConstantPool; later pushes of these strings use their index.
    ActionBuilder& constantPool(const QStringList& strings);

    ActionBuilder& push(std::initializer_list<Value> values); // one ActionPush
    ActionBuilder& push(const Value& value) { return push({value}); }

    ActionBuilder& getVariable() { return action(kActionGetVariable); }
    ActionBuilder& setVariable() { return action(kActionSetVariable); }
    ActionBuilder& getMember() { return action(kActionGetMember); }
    ActionBuilder& setMember() { return action(kActionSetMember); }
    ActionBuilder& callFunction() { return action(kActionCallFunction); }
    ActionBuilder& callMethod() { return action(kActionCallMethod); }
    ActionBuilder& newObject() { return action(kActionNewObject); }
    ActionBuilder& initObject() { return action(kActionInitObject); }
    ActionBuilder& initArray() { return action(kActionInitArray); }
    ActionBuilder& defineLocal() { return action(kActionDefineLocal); }
    ActionBuilder& add2() { return action(kActionAdd2); }
    ActionBuilder& equals2() { return action(kActionEquals2); }
    ActionBuilder& less2() { return action(kActionLess2); }
    ActionBuilder& logicalNot() { return action(kActionNot); }
    ActionBuilder& pop() { return action(kActionPop); }
    ActionBuilder& pushDuplicate() { return action(kActionPushDuplicate); }
    ActionBuilder& returnValue() { return action(kActionReturn); }
    ActionBuilder& storeRegister(int reg);

    ActionBuilder& stop() { return action(kActionStop); }
    ActionBuilder& play() { return action(kActionPlay); }
    ActionBuilder& nextFrame() { return action(kActionNextFrame); }
    ActionBuilder& prevFrame() { return action(kActionPrevFrame); }
    // ActionGotoFrame; frames count from 0.
    ActionBuilder& gotoFrame(int frame0);
    // ActionGotoFrame then ActionPlay, as gotoAndPlay with a literal frame compiles.
    ActionBuilder& gotoAndPlay(int frame0);
    // ActionGotoFrame2: the frame (number, 1-based, or label) comes from the stack.
    ActionBuilder& gotoFrame2(bool play, int sceneBias = 0);

    ActionBuilder& getUrl(const QString& url, const QString& target);
    // ActionGetURL2: method 0 none, 1 GET, 2 POST; url and target come from the stack.
    ActionBuilder& getUrl2(int method = 0, bool loadTarget = false, bool loadVariables = false);
    // fscommand(command, args): a GetURL to "FSCommand:<command>" with the argument as target.
    ActionBuilder& fsCommand(const QString& command, const QString& args = QString());

    ActionBuilder& defineFunction(const QString& name, const QStringList& params,
                                  const ActionBuilder& body);
    ActionBuilder& defineFunction2(const QString& name, int registerCount, quint16 flags,
                                   const std::vector<RegisterParam>& params,
                                   const ActionBuilder& body);

    Label newLabel();
    ActionBuilder& mark(Label label);
    ActionBuilder& jump(Label label);
    ActionBuilder& ifTrue(Label label); // ActionIf: branches when the popped value is true

    // Any other action: one without payload (code < 0x80), or with one.
    ActionBuilder& action(quint8 code);
    ActionBuilder& action(quint8 code, const QByteArray& payload);

    // The assembled actions without the closing End action.
    QByteArray bytes() const;
    // False when a label was never marked, a branch is out of reach or a record too long.
    bool isValid() const;

private:
    struct Fixup {
        int offsetPos; // where the 16-bit branch offset goes
        int label;
    };
    QByteArray encodeZ(const QString& text) const; // with the terminating zero

    int version_;
    LegacyEncoder legacy_;
    std::map<QString, int> pool_;
    QByteArray code_;
    std::vector<int> labels_; // byte position per label, -1 until marked
    std::vector<Fixup> fixups_;
    bool overflow_ = false;
};

} // namespace swf
