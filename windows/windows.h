#pragma once
// The information and calendar windows. Each window's module adds its own header here.
