#pragma once

class QWidget;

// The two looks of a link text: blue and underlined while it invites a click, and the plain
// window-text look otherwise, whatever colour or style it was designed with.
void ApplyLinkLook(QWidget& label);
void ApplyNormalLook(QWidget& label);
