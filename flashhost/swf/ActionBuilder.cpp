#include "flashhost/swf/ActionBuilder.h"

#include <cstring>

namespace swf {
namespace {

enum PushType : quint8 {
    kPushString = 0,
    kPushNull = 2,
    kPushUndefined = 3,
    kPushRegister = 4,
    kPushBoolean = 5,
    kPushDouble = 6,
    kPushInteger = 7,
    kPushConstant8 = 8,
    kPushConstant16 = 9,
};

constexpr int kMaxRecord = 0xFFFF;

void appendU16(QByteArray& out, quint16 v) {
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}

void appendU32(QByteArray& out, quint32 v) {
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

// Strings end at their first zero byte in the file, so nothing after one could be read back.
QByteArray cutAtZero(QByteArray bytes) {
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    return bytes;
}

} // namespace

ActionBuilder::ActionBuilder(int swfVersion, LegacyEncoder legacy)
    : version_(swfVersion), legacy_(legacy) {}

ActionBuilder ActionBuilder::nested() const {
    ActionBuilder b(version_, legacy_);
    b.pool_ = pool_;
    return b;
}

QByteArray ActionBuilder::encode(const QString& text) const {
    if (version_ >= 6)
        return cutAtZero(text.toUtf8());
    return cutAtZero(legacy_ ? legacy_(text) : text.toLatin1());
}

QByteArray ActionBuilder::encodeZ(const QString& text) const {
    QByteArray out = encode(text);
    out.append('\0');
    return out;
}

ActionBuilder& ActionBuilder::action(quint8 code) {
    if (code >= 0x80)
        return action(code, {});
    code_.append(char(code));
    return *this;
}

ActionBuilder& ActionBuilder::action(quint8 code, const QByteArray& payload) {
    if (code < 0x80) {
        // Short actions have no length field; a payload would desynchronise the stream.
        overflow_ = overflow_ || !payload.isEmpty();
        code_.append(char(code));
        return *this;
    }
    if (payload.size() > kMaxRecord)
        overflow_ = true;
    code_.append(char(code));
    appendU16(code_, quint16(payload.size()));
    code_.append(payload);
    return *this;
}

ActionBuilder& ActionBuilder::constantPool(const QStringList& strings) {
    QByteArray payload;
    appendU16(payload, quint16(strings.size()));
    pool_.clear();
    for (int i = 0; i < strings.size(); ++i) {
        payload.append(encodeZ(strings[i]));
        pool_.emplace(strings[i], i);
    }
    if (strings.size() > 0xFFFF)
        overflow_ = true;
    return action(kActionConstantPool, payload);
}

ActionBuilder& ActionBuilder::push(std::initializer_list<Value> values) {
    QByteArray payload;
    for (const Value& v : values) {
        switch (v.kind_) {
        case Value::Kind::Text: {
            const auto it = pool_.find(v.text_);
            if (it != pool_.end() && it->second < 256) {
                payload.append(char(kPushConstant8));
                payload.append(char(it->second));
            } else if (it != pool_.end()) {
                payload.append(char(kPushConstant16));
                appendU16(payload, quint16(it->second));
            } else {
                payload.append(char(kPushString));
                payload.append(encodeZ(v.text_));
            }
            break;
        }
        case Value::Kind::Bytes:
            payload.append(char(kPushString));
            payload.append(cutAtZero(v.raw_));
            payload.append('\0');
            break;
        case Value::Kind::Integer:
            payload.append(char(kPushInteger));
            appendU32(payload, quint32(qint32(v.int_)));
            break;
        case Value::Kind::Double: {
            // Doubles are stored as two little-endian 32-bit halves, the high half first.
            quint64 bits = 0;
            std::memcpy(&bits, &v.double_, sizeof bits);
            payload.append(char(kPushDouble));
            appendU32(payload, quint32(bits >> 32));
            appendU32(payload, quint32(bits));
            break;
        }
        case Value::Kind::Boolean:
            payload.append(char(kPushBoolean));
            payload.append(char(v.int_));
            break;
        case Value::Kind::Null:
            payload.append(char(kPushNull));
            break;
        case Value::Kind::Undefined:
            payload.append(char(kPushUndefined));
            break;
        case Value::Kind::Register:
            if (v.int_ < 0 || v.int_ > 255)
                overflow_ = true;
            payload.append(char(kPushRegister));
            payload.append(char(v.int_));
            break;
        }
    }
    return action(kActionPush, payload);
}

ActionBuilder& ActionBuilder::storeRegister(int reg) {
    if (reg < 0 || reg > 255)
        overflow_ = true;
    return action(kActionStoreRegister, QByteArray(1, char(reg)));
}

ActionBuilder& ActionBuilder::gotoFrame(int frame0) {
    if (frame0 < 0 || frame0 > 0xFFFF)
        overflow_ = true;
    QByteArray payload;
    appendU16(payload, quint16(frame0));
    return action(kActionGotoFrame, payload);
}

ActionBuilder& ActionBuilder::gotoAndPlay(int frame0) {
    return gotoFrame(frame0).play();
}

ActionBuilder& ActionBuilder::gotoFrame2(bool play, int sceneBias) {
    QByteArray payload(1, char((sceneBias != 0 ? 0x02 : 0) | (play ? 0x01 : 0)));
    if (sceneBias != 0)
        appendU16(payload, quint16(sceneBias));
    return action(kActionGotoFrame2, payload);
}

ActionBuilder& ActionBuilder::getUrl(const QString& url, const QString& target) {
    return action(kActionGetUrl, encodeZ(url) + encodeZ(target));
}

ActionBuilder& ActionBuilder::getUrl2(int method, bool loadTarget, bool loadVariables) {
    const quint8 flags =
        quint8((method & 0x03) << 6 | (loadTarget ? 0x02 : 0) | (loadVariables ? 0x01 : 0));
    return action(kActionGetUrl2, QByteArray(1, char(flags)));
}

ActionBuilder& ActionBuilder::fsCommand(const QString& command, const QString& args) {
    return getUrl(QStringLiteral("FSCommand:") + command, args);
}

ActionBuilder& ActionBuilder::defineFunction(const QString& name, const QStringList& params,
                                             const ActionBuilder& body) {
    const QByteArray code = body.bytes();
    overflow_ = overflow_ || !body.isValid() || code.size() > kMaxRecord;
    QByteArray payload = encodeZ(name);
    appendU16(payload, quint16(params.size()));
    for (const QString& p : params)
        payload.append(encodeZ(p));
    appendU16(payload, quint16(code.size()));
    action(kActionDefineFunction, payload);
    code_.append(code); // the body follows the record and is not part of its length
    return *this;
}

ActionBuilder& ActionBuilder::defineFunction2(const QString& name, int registerCount, quint16 flags,
                                              const std::vector<RegisterParam>& params,
                                              const ActionBuilder& body) {
    const QByteArray code = body.bytes();
    overflow_ = overflow_ || !body.isValid() || code.size() > kMaxRecord || registerCount < 0 ||
                registerCount > 255;
    QByteArray payload = encodeZ(name);
    appendU16(payload, quint16(params.size()));
    payload.append(char(registerCount));
    appendU16(payload, flags);
    for (const RegisterParam& p : params) {
        if (p.reg < 0 || p.reg > 255)
            overflow_ = true;
        payload.append(char(p.reg));
        payload.append(encodeZ(p.name));
    }
    appendU16(payload, quint16(code.size()));
    action(kActionDefineFunction2, payload);
    code_.append(code);
    return *this;
}

ActionBuilder::Label ActionBuilder::newLabel() {
    labels_.push_back(-1);
    return Label{int(labels_.size()) - 1};
}

ActionBuilder& ActionBuilder::mark(Label label) {
    if (label.id < 0 || label.id >= int(labels_.size()) || labels_[label.id] >= 0)
        overflow_ = true;
    else
        labels_[label.id] = int(code_.size());
    return *this;
}

ActionBuilder& ActionBuilder::jump(Label label) {
    action(kActionJump, QByteArray(2, '\0'));
    fixups_.push_back({int(code_.size()) - 2, label.id});
    return *this;
}

ActionBuilder& ActionBuilder::ifTrue(Label label) {
    action(kActionIf, QByteArray(2, '\0'));
    fixups_.push_back({int(code_.size()) - 2, label.id});
    return *this;
}

QByteArray ActionBuilder::bytes() const {
    QByteArray out = code_;
    for (const Fixup& f : fixups_) {
        if (f.label < 0 || f.label >= int(labels_.size()) || labels_[f.label] < 0)
            continue; // left as 0; isValid() reports it
        // Offsets count from the end of the branch record.
        const int offset = labels_[f.label] - (f.offsetPos + 2);
        out[f.offsetPos] = char(offset & 0xFF);
        out[f.offsetPos + 1] = char((offset >> 8) & 0xFF);
    }
    return out;
}

bool ActionBuilder::isValid() const {
    if (overflow_)
        return false;
    for (const Fixup& f : fixups_) {
        if (f.label < 0 || f.label >= int(labels_.size()) || labels_[f.label] < 0)
            return false;
        const int offset = labels_[f.label] - (f.offsetPos + 2);
        if (offset < -32768 || offset > 32767)
            return false;
    }
    return true;
}

} // namespace swf
