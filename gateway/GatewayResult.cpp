#include "gateway/GatewayResult.h"

#include "app/ULanguage.h"

TGatewayResult TGatewayResult::Failure(int textNumber, std::initializer_list<TFormatArg> args) {
  return Failure(Format(Lang_Text(textNumber), args), textNumber);
}
