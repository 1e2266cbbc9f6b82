// The platform's isEqual for values, containers and errors. Containers and chains of errors can
// nest as deep as a parse allows, so the walk keeps its open containers on a list of its own
// instead of the call stack.
#include <vector>

#include "orvane/platform/values/Error.h"
#include "orvane/platform/values/Value.h"

namespace ov {
namespace {

// Two containers of one kind and size whose elements are being compared in turn.
struct OpenPair {
    const Array* leftArray = nullptr;
    const Array* rightArray = nullptr;
    const Dictionary* leftDictionary = nullptr;
    const Dictionary* rightDictionary = nullptr;
    size_t count = 0;
    size_t next = 0;
};

class TreeComparison {
  public:
    bool equal(const Value& left, const Value& right) {
        return compareOrOpen(left, right) && compareOpened();
    }
    bool equal(const Array& left, const Array& right) {
        return open(left, right) && compareOpened();
    }
    bool equal(const Dictionary& left, const Dictionary& right) {
        return open(left, right) && compareOpened();
    }

  private:
    bool open(const Array& left, const Array& right) {
        if (left.count() != right.count()) return false;
        if (!left.isEmpty()) m_open.push_back({&left, &right, nullptr, nullptr, left.count()});
        return true;
    }

    bool open(const Dictionary& left, const Dictionary& right) {
        if (left.count() != right.count()) return false;
        if (!left.isEmpty()) m_open.push_back({nullptr, nullptr, &left, &right, left.count()});
        return true;
    }

    // Scalars compare at once; containers and errors open for their contents to follow.
    bool compareOrOpen(const Value& left, const Value& right) {
        const auto* leftNumber = left.ifNumber();
        const auto* rightNumber = right.ifNumber();
        const auto* leftDecimal = left.ifDecimal();
        const auto* rightDecimal = right.ifDecimal();
        // An exact decimal and a number compare by value, as the platform's number classes do.
        if ((leftNumber && rightDecimal) || (leftDecimal && rightNumber)) {
            const double a = leftNumber ? leftNumber->doubleValue() : leftDecimal->doubleValue();
            const double b = rightNumber ? rightNumber->doubleValue() : rightDecimal->doubleValue();
            return a == b;
        }
        if (left.kind() != right.kind()) return false;
        switch (left.kind()) {
            case Value::Kind::Absent:
            case Value::Kind::Null:
                return true;
            case Value::Kind::Boolean:
                return left.asBool() == right.asBool();
            case Value::Kind::Number:
                return *leftNumber == *rightNumber;
            case Value::Kind::Decimal:
                return *leftDecimal == *rightDecimal;
            case Value::Kind::String:
                return left.asString() == right.asString();
            case Value::Kind::Data:
                return left.asData() == right.asData();
            case Value::Kind::Date:
                return *left.ifDate() == *right.ifDate();
            case Value::Kind::Array:
                return open(left.asArray(), right.asArray());
            case Value::Kind::Dictionary:
                return open(left.asDictionary(), right.asDictionary());
            case Value::Kind::Object:
                break;
        }
        const Error* leftError = left.ifError();
        const Error* rightError = right.ifError();
        if (leftError && rightError) {
            return leftError->domain() == rightError->domain() &&
                   leftError->code() == rightError->code() &&
                   open(leftError->userInfo(), rightError->userInfo());
        }
        return (*left.ifObject())->isEqual(**right.ifObject());
    }

    bool compareOpened() {
        while (!m_open.empty()) {
            OpenPair& pair = m_open.back();
            if (pair.next == pair.count) {
                m_open.pop_back();
                continue;
            }
            const size_t position = pair.next++;
            if (pair.leftArray) {
                if (!compareOrOpen((*pair.leftArray)[position], (*pair.rightArray)[position])) {
                    return false;
                }
                continue;
            }
            // A key missing on the right finds the absent value, which no stored value equals.
            const auto& [key, value] = pair.leftDictionary->begin()[position];
            if (!compareOrOpen(value, pair.rightDictionary->objectForKey(key))) return false;
        }
        return true;
    }

    std::vector<OpenPair> m_open;
};

}  // namespace

bool operator==(const Array& left, const Array& right) {
    return TreeComparison().equal(left, right);
}

bool operator==(const Dictionary& left, const Dictionary& right) {
    return TreeComparison().equal(left, right);
}

bool operator==(const Value& left, const Value& right) {
    return TreeComparison().equal(left, right);
}

}  // namespace ov
