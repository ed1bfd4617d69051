// Lazy cells and closures.
//
// A lazy cell is two words, a context and a function. Forcing the cell calls
// the function with the cell's address; the function computes the value,
// stores it in the cell's first word and replaces itself by EvaluatedValue,
// which returns the stored word. So every value is computed at most once,
// and a forced cell costs one indirect call. Attribute functions are written
// either by hand (compute, then StoreLazyValue) or as a plain computation of
// the context wrapped by ComputeOnce.
//
// A closure is two words, an environment and a function; the function is
// called with the environment first when there is one.
#pragma once

#include <cstdint>
#include <type_traits>

#include "support/heap.h"

// One machine word: a number or a reference.
using Word = uintptr_t;

template <typename T>
struct LazyCellOf {
  static_assert(std::is_trivially_copyable_v<T> && sizeof(T) <= 8, "a lazy cell holds one word");
  union {
    void* context;  // before forcing
    T value;        // after forcing
  };
  T (*function)(LazyCellOf* cell);
};

using LazyCell = LazyCellOf<Word>;
using LazyByteCell = LazyCellOf<uint8_t>;
using LazyRealCell = LazyCellOf<double>;

// The function of an evaluated cell: returns the stored value.
template <typename T>
T EvaluatedValue(LazyCellOf<T>* cell) {
  return cell->value;
}

// Forcing: calls the cell's function with the cell.
template <typename T>
T ForceLazy(LazyCellOf<T>* cell) {
  return cell->function(cell);
}

// The last step of every attribute function: store the value and make the
// cell evaluated.
template <typename T>
T StoreLazyValue(LazyCellOf<T>* cell, T value) {
  cell->value = value;
  cell->function = &EvaluatedValue<T>;
  return value;
}

// An attribute function made from a computation of the cell's context.
template <typename T, T (*Compute)(void* context)>
T ComputeOnce(LazyCellOf<T>* cell) {
  return StoreLazyValue(cell, Compute(cell->context));
}

// A new unevaluated cell on the heap.
template <typename T>
LazyCellOf<T>* NewLazyCell(void* context, T (*function)(LazyCellOf<T>*)) {
  auto* cell = static_cast<LazyCellOf<T>*>(AllocateAligned(sizeof(LazyCellOf<T>)));
  cell->context = context;
  cell->function = function;
  return cell;
}

// A new cell that is already evaluated (a constant).
template <typename T>
LazyCellOf<T>* NewEvaluatedCell(T value) {
  auto* cell = static_cast<LazyCellOf<T>*>(AllocateAligned(sizeof(LazyCellOf<T>)));
  cell->value = value;
  cell->function = &EvaluatedValue<T>;
  return cell;
}

// The word-cell names the tree builders and drivers use.
inline Word EvaluatedWord(LazyCell* cell) { return cell->value; }
inline Word ForceLazyCell(LazyCell* cell) { return cell->function(cell); }

template <typename R, typename... Args>
struct Closure {
  void* environment;   // null: the function takes no environment
  void (*function)();  // R (*)(void*, Args...) with an environment, else R (*)(Args...)
};

template <typename R, typename... Args>
Closure<R, Args...> MakeClosure(R (*function)(Args...)) {
  return Closure<R, Args...>{nullptr, reinterpret_cast<void (*)()>(function)};
}

template <typename R, typename... Args>
Closure<R, Args...> MakeClosure(void* environment, R (*function)(void*, Args...)) {
  return Closure<R, Args...>{environment, reinterpret_cast<void (*)()>(function)};
}

template <typename R, typename... Args>
R CallClosure(const Closure<R, Args...>& closure, Args... args) {
  if (closure.environment != nullptr) {
    return reinterpret_cast<R (*)(void*, Args...)>(closure.function)(closure.environment, args...);
  }
  return reinterpret_cast<R (*)(Args...)>(closure.function)(args...);
}
