#include "core/failure.h"

namespace pyramid {

std::string failureText(FailureKind kind)
{
    switch (kind) {
    case FailureKind::FileNotFound: return "ファイルが見つかりません。";
    case FailureKind::FileAccess: return "パスまたはファイルにアクセスできません。";
    case FailureKind::InputPastEnd: return "ファイルの終わりを越えて読み込もうとしました。";
    case FailureKind::TypeMismatch: return "型が一致しません。";
    case FailureKind::SubscriptOutOfRange: return "インデックスが有効範囲にありません。";
    case FailureKind::DivisionByZero: return "0 で除算しました。";
    case FailureKind::Overflow: return "オーバーフローしました。";
    case FailureKind::UnusableTable: return "この表からは人口ピラミッドを作れません。";
    }
    return "不明なエラーです。";
}

static std::string describe(FailureKind kind, const std::string& detail)
{
    std::string text = failureText(kind);
    if (!detail.empty()) {
        text += "\r\n";
        text += detail;
    }
    return text;
}

Failure::Failure(FailureKind kind, const std::string& detail)
    : std::runtime_error(describe(kind, detail)), kind_(kind), description_(describe(kind, detail))
{
}

}  // namespace pyramid
