#pragma once

#include "platform/gui/Layout.h"

namespace vd {

// Names of the controls the program's code refers to, as the layout gives them.
namespace control {
inline constexpr const char* kTabs = "高级选择夹1";
inline constexpr const char* kFileDialog = "通用对话框1";

// Page "人脸对比".
inline constexpr const char* kPictureOne = "图片框1";
inline constexpr const char* kPictureTwo = "图片框2";
inline constexpr const char* kOpenPictureOne = "打开对比图1";
inline constexpr const char* kOpenPictureTwo = "打开对比图2";
inline constexpr const char* kPictureOneSize = "透明标签8";
inline constexpr const char* kPictureOneName = "透明标签7";
inline constexpr const char* kPictureTwoSize = "透明标签11";
inline constexpr const char* kPictureTwoName = "透明标签10";
inline constexpr const char* kCompare = "对比人脸";
inline constexpr const char* kVerdict = "透明标签14";
inline constexpr const char* kScore = "透明标签17";
inline constexpr const char* kFirstToken = "透明标签9";
inline constexpr const char* kSecondToken = "透明标签12";
inline constexpr const char* kComparisonTime = "透明标签77";
inline constexpr const char* kIndicator = "外形框2";
inline constexpr const char* kErrorPanel = "错误框2";
inline constexpr const char* kErrorCode = "错误代码框2";
inline constexpr const char* kErrorDescription = "错误描述框2";
inline constexpr const char* kErrorMessage = "错误信息框2";

// Page "文字识别".
inline constexpr const char* kRecognitionPicture = "图片框5";
inline constexpr const char* kOpenRecognitionPicture = "按钮2";
inline constexpr const char* kRecognitionPictureSize = "透明标签65";
inline constexpr const char* kRecognize = "开始文字识别";
inline constexpr const char* kTextChoice = "单选框1";
inline constexpr const char* kPlateChoice = "单选框2";
inline constexpr const char* kResultTabs = "高级选择夹2";
inline constexpr const char* kRecognizedText = "编辑框1";
inline constexpr const char* kStatus = "透明标签67";
inline constexpr const char* kPlateColour = "透明标签71";
inline constexpr const char* kPlateNumber = "透明标签72";
inline constexpr const char* kPlateRegion = "透明标签73";
inline constexpr const char* kRecognitionTime = "透明标签81";
}  // namespace control

// The main window: caption, client size and every control.
const platform::WindowLayout& mainWindowLayout();

}  // namespace vd
