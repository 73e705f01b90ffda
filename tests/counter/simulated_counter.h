#pragma once

#include "counter_simulator.h"

#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

// A counter simulator on a pseudo-terminal in the test's own process, reporting
// the first catalogue line quickly, paced in short pauses.
inline simulator::Options quickCounter(simulator::Chunks chunks = simulator::Chunks::Whole)
{
    simulator::Options o;
    o.report = "!LPR1,00:00:28.76,BP,RP,GP,LP,8,C,2.00,5.00,15.00,25.00,50.00,100.00,100.00,100.00,4446,908,51,13,0,0,"
               "0,0,20.00,03/26/04,12:05:03,LAB.TECH,22222222,CHECK,,ISO Code: 13/9,";
    o.countingMs = 50;
    o.chunks = chunks;
    o.chunkDelayMs = 1;
    return o;
}

// Waits (running the event loop) until the simulator has taken that many commands.
inline bool waitForCommands(const simulator::CounterSimulator& counter, int count, int ms = 5000)
{
    return QTest::qWaitFor([&] { return counter.commands().size() >= count; }, ms);
}

// A counter plugged in under a device name of the station's own, as a USB serial
// adapter is: a link to the simulator's terminal.
inline bool plugIn(const simulator::CounterSimulator& counter, const QString& device)
{
    QFile::remove(device);
    return QFile::link(counter.devicePath(), device);
}

// Switched off or unplugged: the adapter takes its device name with it, so that a
// terminal number it leaves, which another program may take at once, is never
// opened as the counter.
inline void unplug(simulator::CounterSimulator& counter, const QString& device)
{
    counter.stop();
    QFile::remove(device);
}
