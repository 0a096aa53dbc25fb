#pragma once

#include <QString>

#include <vector>

// A serial port of this computer and the "COM" number by which the suite names it.
struct SerialPort {
    QString name;    // "ttyS0", "ttyUSB1"
    QString device;  // "/dev/ttyS0"
    int number = 0;  // COM number, 0 when the port has none (a USB port needs a [SerialPorts] entry)
};

// The serial ports of the machine as /sys/class/tty lists them: ttyS*, ttyUSB* and ttyACM* entries that
// have a device link (a legacy ttyS slot whose UART type is 0 has no hardware behind it and is left out).
// Numbers: a [SerialPorts] COMn entry of Registry.ini naming the device gives n, else ttyS<k> is COM k+1,
// so that SerialDevicePath(number) leads back to the device. Sorted by kind, then by index.
std::vector<SerialPort> ListSerialPorts(const QString& ttyClassFolder = QStringLiteral("/sys/class/tty"));
